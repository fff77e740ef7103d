#include "lists/list_windows.h"

#include <string>

namespace quillory {

EditIncludeListWindow::EditIncludeListWindow(const Names& names)
    : Window(names.className, names.caption),
      memo(Make<Memo>(names.memo)),
      lblLinesSum(Make<Label>(names.linesSum, "0")),
      btnOk(Make<Button>(names.ok, "OK")),
      btnCancel(Make<Button>(names.cancel, "Cancel")),
      btnHelp(Make<Button>(names.help, "Help")) {
  memo.SetReadOnly(false);
  if (names.linesCurrent) {
    lblLinesCurrent = &Make<Label>(names.linesCurrent, "0");
    memo.onClick = [this] { lblLinesCurrent->SetCaption(std::to_string(memo.CaretLine())); };
  }
  memo.onChange = [this] { ShowLineCount(); };
  memo.SetLines({});
}

EditIncludeListWindow::~EditIncludeListWindow() { memo.SetLines({}); }

void EditIncludeListWindow::ShowLineCount() { lblLinesSum.SetCaption(std::to_string(memo.Lines().size())); }

TfrmFLLEditIncludeFolderList::TfrmFLLEditIncludeFolderList()
    : EditIncludeListWindow({"TfrmFLLEditIncludeFolderList", "Edit the Include Folder List.", "mmoEditIncludeList",
                             "lblEditLinesSum", "btnEditIncludeListOk", "btnEditIncludeCancel", "btnEditIncludeHelp",
                             "lblEditLinesCurrent"}) {}

TfrmVol02EditIncludeList::TfrmVol02EditIncludeList()
    : EditIncludeListWindow({"TfrmVol02EditIncludeList", "Edit the include List of strings", "mmoVol02EditIncludeList",
                             "lblVol02EditLinesSum", "btnVol02EditOk", "btnVol02EditCancel", "btnVol02EditHelp",
                             nullptr}) {}

TfrmVol04EditIncludeList::TfrmVol04EditIncludeList()
    : EditIncludeListWindow({"TfrmVol04EditIncludeList", "Edit the Include Folder List.", "mmoVol04EditIncludeList",
                             "lblVol04EditLinesSum", "btnVol04EditIncludeListOk", "btnVol04EditIncludeListCancel",
                             "btnVol04EditIncludeListHelp", nullptr}) {}

TfrmVol06EditIncludeList::TfrmVol06EditIncludeList()
    : EditIncludeListWindow({"TfrmVol06EditIncludeList",
                             "Edit the content of the Include List  - for the Renaming Process.",
                             "mmoVol06EditIncludeList", "lblVol06EditLinesSum", "btnVol06EditIncludeListOk",
                             "btnVol06EditIncludelistCancel", "btnVol06EditIncludeListHelp", nullptr}) {}

TfrmVol07EditIncludeList::TfrmVol07EditIncludeList()
    : EditIncludeListWindow({"TfrmVol07EditIncludeList", "edit the Include List - Deleting process.",
                             "mmoVol07EditIncludeList", "lblVol07EditLinesSum", "btnVol07EditIncludeListOk",
                             "btnVol07EditIncludeListCancel", "btnVol07EditIncludeListHelp", nullptr}) {}

TfrmVol08EditIncludeList::TfrmVol08EditIncludeList()
    : EditIncludeListWindow({"TfrmVol08EditIncludeList", "Edit the Include Folder List - for Copy Process.",
                             "mmoVol08EditIncludeList", "lblVol08EditLinesSum", "btnVol08EditIncludeListOk",
                             "btnVol08EditIncludeListCancel", "btnVol08EditIncludeListHelp", nullptr}) {}

TfrmZoomIncludeWindow::TfrmZoomIncludeWindow()
    : Window("TfrmZoomIncludeWindow", "Zoom the Include Window."),
      lstZoomIncludeWindow(Make<ListBox>("lstZoomIncludeWindow", false)),
      btnZoomInjcludeWindowsClose(Make<Button>("btnZoomInjcludeWindowsClose", "Close")) {
  lstZoomIncludeWindow.Clear();
  btnZoomInjcludeWindowsClose.onClick = [this] { modalResult = ModalResult::Close; };
}

TfrmZoomIncludeWindow::~TfrmZoomIncludeWindow() { lstZoomIncludeWindow.Clear(); }

}  // namespace quillory
