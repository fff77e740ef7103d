// Owns every window, created once in the documented order and kept until
// exit; closing a window only hides it.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "app/aux_windows.h"
#include "app/services.h"
#include "app/help_window.h"
#include "shell/main_window.h"
#include "lists/file_export.h"
#include "lists/file_import.h"
#include "lists/list_windows.h"
#include "lists/separator_windows.h"
#include "operations/operation_windows.h"
#include "results/visual_log_windows.h"
#include "structures/file_selection.h"
#include "results/zoom_windows.h"
#include "structures/structure_windows.h"
#include "tree/tree_windows.h"
#include "platform/drives.h"
#include "platform/file_system.h"

namespace quillory {

class SettingsStore;
class Ui;

class Application {
 public:
  // Builds every window; FormCreate of the main window runs after all exist,
  // so start-up may reach any of them. Every window reaches the disk through
  // `fs` and the drives through `drives`.
  Application(Ui& ui, SettingsStore& settings, FileSystem& fs = HostFileSystem(), DriveMap& drives = Drives());
  ~Application();

  Services services;
  Ui& ui;
  SettingsStore& settings;

  Window* Find(std::string_view className) const;
  // The one window of a class.
  template <class T>
  T* FindAs() const {
    for (auto* w : order_)
      if (auto* t = dynamic_cast<T*>(w)) return t;
    return nullptr;
  }
  const std::vector<Window*>& Windows() const { return order_; }

  TfrmMain* main = nullptr;
  TAboutBox* about = nullptr;
  TfrmAltalanosHelp* help = nullptr;
  TfrmOverViewHelp* overview = nullptr;
  TfrmVideoTutorials* videos = nullptr;
  TfrmDelimiters* delimiters = nullptr;
  TfrmQuotationMarks* quotationMarks = nullptr;
  TfrmFileImport* fileImport = nullptr;
  TfrmFileExport* fileExport = nullptr;
  TfrmFileSelection* fileSelection = nullptr;
  TfrmFolderViews* folderViews = nullptr;
  TfrmLevelSummFolder* levelSummary = nullptr;
  TfrmStatistic02* statistic02 = nullptr;
  TfrmStatistic03* statistic03 = nullptr;
  TfrmStatistic04* statistic04 = nullptr;
  TfrmStatistic06* statistic06 = nullptr;
  TfrmStatistics07* statistics07 = nullptr;
  TfrmStatistic08* statistic08 = nullptr;

 private:
  template <class T, class... Args>
  T* Create(Args&&... args);
  std::vector<std::unique_ptr<Window>> owned_;
  std::vector<Window*> order_;
};

}  // namespace quillory
