#include "tree/tree_windows.h"

#include <string>
#include <vector>

#include "app/settings_store.h"
#include "app/ui.h"
#include "platform/text.h"
#include "tree/folder_struct_size.h"

namespace quillory {

namespace {

constexpr const char* kNoFolder =
    "There is no selected Folder Structure !\nAction : You must select a Folder with a subfolder structure.";
constexpr const char* kNoFolderCaption = "SubFolder Level List Builder.            Warning no: 0574.";

}  // namespace

TfrmLevelSummFolder::TfrmLevelSummFolder()
    : Window("TfrmLevelSummFolder", "Level Summary"),
      lblLevelSummFolderTitle(Make<Label>("lblLevelSummFolderTitle", "Folder:")),
      lblLevelSummFolderName(Make<Label>("lblLevelSummFolderName")),
      lstViewLevelSummFolder(Make<ListView>("lstViewLevelSummFolder")),
      lblLevelSummFolderSumTitle(Make<Label>("lblLevelSummFolderSumTitle", "Number of Folders:")),
      lblLevelSummFolderSum(Make<Label>("lblLevelSummFolderSum", "0")),
      lblLevelSummFileSumTitle(Make<Label>("lblLevelSummFileSumTitle", "Number of Files:")),
      lblLevelSummFileSum(Make<Label>("lblLevelSummFileSum", "0")),
      lblLevelSummFileSizeTitle(Make<Label>("lblLevelSummFileSizeTitle", "Size of Files:")),
      lblLevelSummFileSize(Make<Label>("lblLevelSummFileSize", "0 bytes.")),
      btnLevelSummFolderOK(Make<Button>("btnLevelSummFolderOK", "OK")) {
  lstViewLevelSummFolder.SetColumns({"Level Number", "Number of SubFolders"});
  btnLevelSummFolderOK.onClick = [this] { modalResult = ModalResult::Ok; };
}

TfrmFolderViews::TfrmFolderViews(Ui& ui, SettingsStore& settings, FileSystem& fs)
    : Window("TfrmFolderViews", "Views"),
      lblFolderViewsFolder(Make<Label>("lblFolderViewsFolder")),
      edtFolderViewsFolder(Make<Edit>("edtFolderViewsFolder")),
      btnFolderViewsExplorer(Make<Button>("btnFolderViewsExplorer", "Explorer")),
      btnFolderViewsLevels(Make<Button>("btnFolderViewsLevels", "Levels")),
      btnFolderViewsClose(Make<Button>("btnFolderViewsClose", "Close")),
      ui_(ui),
      settings_(settings),
      fs_(fs) {
  edtFolderViewsFolder.SetVisible(false);
  folderShown_ = edtFolderViewsFolder.changed.Connect([this](const ControlEvent& e) {
    if (e.change == ControlChange::Text) lblFolderViewsFolder.SetCaption(edtFolderViewsFolder.Text());
  });
  btnFolderViewsExplorer.onClick = [this] { btnFolderViewsExplorerClick(); };
  btnFolderViewsLevels.onClick = [this] { btnFolderViewsLevelsClick(); };
  btnFolderViewsClose.onClick = [this] { btnFolderViewsCloseClick(); };
}

void TfrmFolderViews::Attach(TfrmLevelSummFolder& levels) { levels_ = &levels; }

void TfrmFolderViews::btnFolderViewsExplorerClick() {
  const std::string folder = Trim(edtFolderViewsFolder.Text());
  if (folder.empty()) {
    ui_.ShowMessageBox(kNoFolder, kNoFolderCaption, MessageKind::Warning);
    return;
  }
  ui_.OpenFolder(folder);
}

void TfrmFolderViews::btnFolderViewsLevelsClick() {
  const std::string folder = Trim(edtFolderViewsFolder.Text());
  // A click that did nothing would leave the person guessing; the same
  // warning as "Explorer" says why.
  if (folder.empty()) {
    ui_.ShowMessageBox(kNoFolder, kNoFolderCaption, MessageKind::Warning);
    return;
  }
  if (levels_ == nullptr) return;
  FolderStructSize size(folder, fs_);
  size.SetCountRoot(true);
  size.SetFileMasks(settings_.FileMasks());
  size.WalkSelected();
  size.ShowLevels(*levels_, ui_);
}

void TfrmFolderViews::btnFolderViewsCloseClick() {
  modalResult = ModalResult::Close;
  ui_.Hide(*this);
}

}  // namespace quillory
