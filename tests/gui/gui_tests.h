// Each test class runs through one of these; main runs them all.
#pragma once

namespace quillory {

int RunMainWindowViewTests(int argc, char** argv);
int RunWindowViewTests(int argc, char** argv);
int RunQtUiTests(int argc, char** argv);
int RunSeparatorWindowViewTests(int argc, char** argv);
int RunManualCreationViewTests(int argc, char** argv);
int RunListPanelViewTests(int argc, char** argv);
int RunFileImportViewTests(int argc, char** argv);
int RunFileExportViewTests(int argc, char** argv);
int RunVisualLogViewTests(int argc, char** argv);
int RunFileSelectionViewTests(int argc, char** argv);
int RunTreeWindowsViewTests(int argc, char** argv);
int RunWindowSizesTests(int argc, char** argv);
int RunStructuresViewTests(int argc, char** argv);
int RunRunWatchTests(int argc, char** argv);
int RunHelpViewTests(int argc, char** argv);
int RunDropTests(int argc, char** argv);
int RunPlacementTests(int argc, char** argv);
int RunUndoProgressTests(int argc, char** argv);

}  // namespace quillory
