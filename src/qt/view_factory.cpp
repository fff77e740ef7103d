#include "qt/view_factory.h"

#include "qt/file_export_view.h"
#include "qt/file_import_view.h"
#include "qt/file_selection_view.h"
#include "qt/help_view.h"
#include "qt/level_builder_view.h"
#include "qt/list_windows_view.h"
#include "qt/manual_creation_view.h"
#include "qt/separator_window_view.h"
#include "qt/structures_view.h"
#include "qt/tree_windows_view.h"
#include "qt/visual_log_view.h"
#include "qt/window_view.h"

namespace quillory {

WindowView* NewWindowView(Window& window, QWidget* parent) {
  if (WindowView* view = NewSeparatorWindowView(window, parent)) return view;
  if (WindowView* view = NewErrorLogView(window, parent)) return view;
  if (WindowView* view = NewLevelBuilderView(window, parent)) return view;
  if (WindowView* view = NewListWindowView(window, parent)) return view;
  if (WindowView* view = NewFileImportView(window, parent)) return view;
  if (WindowView* view = NewFileExportView(window, parent)) return view;
  if (WindowView* view = NewVisualLogView(window, parent)) return view;
  if (WindowView* view = NewFileSelectionView(window, parent)) return view;
  if (WindowView* view = NewTreeWindowsView(window, parent)) return view;
  if (WindowView* view = NewStructureWindowView(window, parent)) return view;
  if (WindowView* view = NewHelpView(window, parent)) return view;
  return new WindowView(window, parent);
}

}  // namespace quillory
