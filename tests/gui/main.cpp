#include "gui_tests.h"

#include <QApplication>

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int failed = 0;
  failed += quillory::RunMainWindowViewTests(argc, argv);
  failed += quillory::RunWindowViewTests(argc, argv);
  failed += quillory::RunQtUiTests(argc, argv);
  failed += quillory::RunSeparatorWindowViewTests(argc, argv);
  failed += quillory::RunManualCreationViewTests(argc, argv);
  failed += quillory::RunListPanelViewTests(argc, argv);
  failed += quillory::RunFileImportViewTests(argc, argv);
  failed += quillory::RunFileExportViewTests(argc, argv);
  failed += quillory::RunVisualLogViewTests(argc, argv);
  failed += quillory::RunFileSelectionViewTests(argc, argv);
  failed += quillory::RunTreeWindowsViewTests(argc, argv);
  failed += quillory::RunWindowSizesTests(argc, argv);
  failed += quillory::RunStructuresViewTests(argc, argv);
  failed += quillory::RunRunWatchTests(argc, argv);
  failed += quillory::RunHelpViewTests(argc, argv);
  failed += quillory::RunDropTests(argc, argv);
  failed += quillory::RunPlacementTests(argc, argv);
  failed += quillory::RunUndoProgressTests(argc, argv);
  return failed == 0 ? 0 : 1;
}
