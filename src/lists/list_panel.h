// The include/exclude panel five pages share: two lists, the moves between
// them, deleting from the exclude list, the ways of adding, the editor, the
// zoom window and Clear Fields. Operations only read and change the page's
// lists; the page's refresh follows from the lists' change events.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/page.h"
#include "app/window.h"
#include "platform/file_system.h"

namespace quillory {

class DriveMap;
class EditIncludeListWindow;
class TfrmFileExport;
class TfrmFileImport;
class TfrmZoomIncludeWindow;
class Ui;


// What a typed text of full paths did to the include list.
struct AddFullPathsResult {
  bool ok = false;       // every path was added
  std::string text;      // the normalised text, handed back to the edit box
  std::string reason;    // why the first failing path failed
  std::size_t added = 0;
};

// Adds every valid full path of `text` that is in neither list to the include
// list (checked against `drives`, any drive letter accepted). Interactive:
// stops at the first failing path (those before it stay added). Otherwise
// failing paths are skipped and the result is not ok.
AddFullPathsResult AddFullPathsToInclude(ListBox& include, const ListBox& exclude, std::string_view text,
                                         bool interactive, const DriveMap& drives);

class ListPanel {
 public:
  // Registers the panel's buttons (and the add box of Vol02/Vol04, the method
  // radios of Vol06-Vol08) on `owner` under the page's documented names.
  // Typed, browsed and dropped folders are read through `drives`.
  ListPanel(Window& owner, Ui& ui, PageKey page, ListBox& include, ListBox& exclude, Label& includeSum,
            Label& excludeSum, FileSystem& fs, const DriveMap& drives);
  ListPanel(const ListPanel&) = delete;
  ListPanel& operator=(const ListPanel&) = delete;

  PageKey Page() const { return page_; }
  // What its imports read and its exports write through.
  FileSystem& Fs() const { return fs_; }
  // What its paths are checked and dropped items found against.
  const DriveMap& Map() const { return drives_; }
  const std::string& Key() const { return key_; }  // "Vol02" ...
  // Vol04 to Vol08 hold full paths.
  bool FolderPage() const { return page_ != PageKey::Vol02; }

  ListBox& include;
  ListBox& exclude;
  Label& includeSum;
  Label& excludeSum;
  Button& btnIncToExc;
  Button& btnExcToInc;
  Button& btnAllFromInc;
  Button& btnAllFromExc;
  Button& btnExchange;
  Button& btnDeleteFromExclude;
  Button& btnDeleteExcludeAll;
  Button& btnEditIncludeList;
  Edit* edtAddToList = nullptr;  // Vol02, Vol04
  Button& btnAdd;                // "Add", "Add Folder", "Add Structure"
  Button* btnViewSelected = nullptr;  // Vol06, Vol07, Vol08
  Button& btnZoom;
  Button& btnClearAll;
  // Files: "Import List" (btnVol02Open, btnVol06LoadFrom, ...), the smart
  // "Import" / "Import F. List", "Export List" (btnVol02Save, btnVol06SaveTo,
  // ...) and the smart "Export".
  Button& btnImportList;
  Button& btnSmartImport;
  Button& btnExportList;
  Button& btnSmartExport;
  // "Methods for creating Input (Include) Folder List" (Vol06, Vol07, Vol08).
  RadioGroup methods;
  Label* grpMethods = nullptr;
  RadioButton* rdoMakeListSelector = nullptr;
  RadioButton* rdoMakeListImport = nullptr;
  RadioButton* rdoAddToListManually = nullptr;

  // The list builder's and the import's controls the method radios switch;
  // a page fills in what it has.
  struct MethodControls {
    std::vector<Control*> root;   // root folder box, Browse, View, label
    ComboBox* rootBox = nullptr;
    Button* rootBrowse = nullptr;
    std::vector<Control*> level;  // level radios and numbers, filter, Build
    RadioButton* onlyLast = nullptr;
    RadioButton* allInPath = nullptr;
    Button* import = nullptr;
  } methodControls;

  // Clear Fields: the page's other controls back to their start values (run
  // after the lists are emptied, before the end message).
  std::function<void()> resetPage;
  // Clear Fields: the level builder back to its start values, before the
  // method radios are reset (they enable it by its root folder text).
  std::function<void()> resetLevels;
  // Vol02: after a string is added (the page's preview).
  std::function<void()> afterAdd;

  void AttachWindows(EditIncludeListWindow& editor, TfrmZoomIncludeWindow& zoom);
  // The import and export windows the file buttons open.
  void AttachFileWindows(TfrmFileImport& fileImport, TfrmFileExport& fileExport);
  EditIncludeListWindow* Editor() const { return editor_; }
  // Every control of the panel, for pages that enable it as a whole.
  void SetEnabled(bool enabled);
  // The method radios' start state (Selector checked), as at start-up.
  void ResetMethods();
  // Runs `refresh` after every change of the rows of either list; the page
  // keeps the connections as long as it lives.
  [[nodiscard]] std::vector<Connection> OnListsChanged(std::function<void()> refresh);
  // The item counts into the two sum labels.
  void RefreshSums();

  // ---- operations (each a button's click) ----
  void MoveSelectedToExclude();
  void MoveSelectedToInclude();
  void MoveAllToExclude();
  void MoveAllToInclude();
  void Exchange();
  void DeleteSelectedFromExclude();
  void DeleteAllFromExclude();
  void AddItem();
  void EditList();
  void EditOk();
  void EditCancel();
  void ViewSelected();
  void Zoom();
  void ClearFields();
  void MethodSelectorClick();
  void MethodImportClick();
  void MethodManualClick();

  // Host paths dropped on the include list, in order: a folder is added as
  // the page adds one (its name as a typed string on Vol02, a typed full
  // path on Vol04, a browsed folder elsewhere); a text file goes through
  // "Import List"; anything else is refused with a message. Nothing happens
  // while the include list is disabled.
  void DropPaths(const std::vector<std::string>& hostPaths);

  // The page's message numbers and captions.
  struct Texts;

 private:
  void MoveSelected(ListBox& from, ListBox& to);
  void MoveAll(ListBox& from, ListBox& to);
  bool MayMove(const std::string& item) const;
  void AddString();
  void AddTypedPaths();
  void AddBrowsedFolder();
  void AddFolderPath(const std::string& path);
  void DropFolder(const std::string& path);
  void Warn(const std::string& text, const std::string& caption);
  bool Ask(const std::string& text, const std::string& caption);
  void FocusAfter(bool deleteAll = false);
  void SetMethodState(bool root, bool level, bool import, bool add);
  void SetLevelModes(bool onlyLast);

  Window& owner_;
  Ui& ui_;
  FileSystem& fs_;
  const DriveMap& drives_;
  PageKey page_;
  std::string key_;
  const Texts& texts_;
  EditIncludeListWindow* editor_ = nullptr;
  TfrmZoomIncludeWindow* zoom_ = nullptr;
  TfrmFileImport* fileImport_ = nullptr;
  TfrmFileExport* fileExport_ = nullptr;
  // While a drop of several items goes on: the warnings, each after the
  // item it concerns.
  std::vector<std::string>* dropNotes_ = nullptr;
  std::string dropItem_;
};

}  // namespace quillory
