// Secondary windows of the page operations.
#pragma once

#include "app/window.h"

namespace quillory {

class TfrmDriveSelect : public Window {
 public:
  TfrmDriveSelect() : Window("TfrmDriveSelect", "Drive Select") {}
};

// The error logs of page "Create Folder -IV.": what the last run of a panel
// failed to create. The page refills the lists each time it opens one.
class TForcedUnSuccessFullForm : public Window {
 public:
  TForcedUnSuccessFullForm()
      : Window("TForcedUnSuccessFullForm", "Folders, that are unsuccessfully tried to create"),
        lblForcedUnSuccessFullExist(Make<Label>("lblForcedUnSuccessFullExist", "Already existed folders:")),
        lstForcedUnSuccessFullExist(Make<ListBox>("lstForcedUnSuccessFullExist")),
        lblForcedUnSuccessFullOther(
            Make<Label>("lblForcedUnSuccessFullOther", "Folders, that were not created for other reasons:")),
        lstForcedUnSuccessFullOther(Make<ListBox>("lstForcedUnSuccessFullOther")),
        btnForcedUnSuccessFullOk(Make<Button>("btnForcedUnSuccessFullOk", "OK")) {
    btnForcedUnSuccessFullOk.onClick = [this] { modalResult = ModalResult::Ok; };
  }
  Label& lblForcedUnSuccessFullExist;
  ListBox& lstForcedUnSuccessFullExist;
  Label& lblForcedUnSuccessFullOther;
  ListBox& lstForcedUnSuccessFullOther;
  Button& btnForcedUnSuccessFullOk;
};

class TSubFolderUnSuccessFullForm : public Window {
 public:
  TSubFolderUnSuccessFullForm()
      : Window("TSubFolderUnSuccessFullForm", "Folders, that are unsuccessfully tried to create."),
        lblSubFolderUnSuccessFullExist(Make<Label>("lblSubFolderUnSuccessFullExist", "Already existed folders :")),
        lstSubFolderUnSuccessFullExist(Make<ListBox>("lstSubFolderUnSuccessFullExist")),
        lblSubFolderUnSuccessFullOther(
            Make<Label>("lblSubFolderUnSuccessFullOther", "Folders, that were not created for other reasons:")),
        lstSubFolderUnSuccessFullOther(Make<ListBox>("lstSubFolderUnSuccessFullOther")),
        btnSubFolderUnSuccessFullOk(Make<Button>("btnSubFolderUnSuccessFullOk", "OK")) {
    btnSubFolderUnSuccessFullOk.onClick = [this] { modalResult = ModalResult::Ok; };
  }
  Label& lblSubFolderUnSuccessFullExist;
  ListBox& lstSubFolderUnSuccessFullExist;
  Label& lblSubFolderUnSuccessFullOther;
  ListBox& lstSubFolderUnSuccessFullOther;
  Button& btnSubFolderUnSuccessFullOk;
};

class TfrmVol03Multi : public Window {
 public:
  TfrmVol03Multi() : Window("TfrmVol03Multi", "Increased Numbers") {}
};

}  // namespace quillory
