// TfrmMain: the main window model with its seven pages. Every control is a
// public field with its documented name and is registered under that name.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/run_frame.h"
#include "app/window.h"
#include "lists/list_panel.h"
#include "operations/manual_creation.h"
#include "results/operation_statistics.h"
#include "structures/file_selection.h"
#include "results/visual_logs.h"

namespace quillory {

class Application;
struct FieldMessage;
class SettingsStore;
class Ui;
class VisualLogWindow;

// What the three creating pages keep between runs.
struct CreatePageState {
  std::string key;  // "Vol02", "Vol03", "Vol04"
  LogPage logPage = LogPage::P02;
  OperationStatistics stats{CreatePageCounterNames()};
  std::string lastRunDestination;
  std::string attachKind;  // "F", "R" or "N"
  std::vector<std::string> createdMainFolders, existingMainFolders, otherMainFolders, createdFolders, copiedFiles,
      failedUndoFolders;
  std::array<std::array<Label*, 4>, 4> statLabels{};  // [row][column]
  VisualLogWindow* visualLog = nullptr;

  void ClearRecords();
};

class TfrmMain : public Window {
 public:
  TfrmMain(Application& app, SettingsStore& settings);

  Application& app;
  Ui& ui() const;
  SettingsStore& settings;
  // Counters, labels and result lists of every operation page's Visual Log.
  VisualLogs visualLogs;

  // ---- menus ----
  Button& mnuFileExit;
  Button& mnuHelpOverView;
  Button& mnuHelpAbout;
  Button& mnuMiscManageSeparators;
  Button& mnuMiscManageQuotationMarks;
  std::vector<Button*> mnuVideoTutorials;

  // ---- pages, in tab order ----
  PageControl& pgeMain;
  TabSheet& tabFoldersCopy02;
  TabSheet& tabFoldersDelete01;
  TabSheet& tabFoldersRename01;
  TabSheet& tabFolderCreate03;
  TabSheet& tabFolderCreate05;
  TabSheet& tabFolderCreate04;
  TabSheet& tabFolderCreate01;

  // ---- page Vol02: from strings ----
  ComboBox& cboVol02DestFolders;
  Button& btnVol02AddDestFolder;
  Button& btnVol02ViewDestFolder;
  Edit& edtVol02Prefix;
  Edit& edtVol02Suffix;
  CheckBox& chkVol02Hyphen;
  ListBox& lstVol02IncludeStrings;
  ListBox& lstVol02ExcludeStrings;
  Label& lblVol02IncludeSum;
  Label& lblVol02ExcludeSum;
  Label& lblVol02StartFolder;
  Label& lblVol02EndFolder;
  CheckBox& chkVol02ViewDetailedResults;
  CheckBox& chkVol02ViewDestFolder;
  Button& btnVol02ListHelp;
  Button& btnVol02Statistic;
  ListPanel vol02Panel;
  CreatePageState vol02;

  // ---- page Vol04: from full folder paths ----
  Edit& edtVol04Prefix;
  Edit& edtVol04Suffix;
  CheckBox& chkVol04Hyphen;
  ListBox& lstVol04IncludeFolderList;
  ListBox& lstVol04ExcludeFolderList;
  Label& lblVol04IncludeSum;
  Label& lblVol04ExcludeSum;
  Label& lblVol04StartFolder;
  Label& lblVol04EndFolder;
  Control& grpVol04Statistics;  // hidden: the counters are read in the Visual Log
  CheckBox& chkVol04ViewDetailedResults;
  Button& btnVol04Help;
  Button& btnVol04Statistics;
  ListPanel vol04Panel;
  CreatePageState vol04;

  // ---- page Vol03: increased numbers ----
  ComboBox& cboVol03DestFolders;
  Button& btnVol03AddDestFolder;
  Button& btnVol03ViewDestFolder;
  Edit& edtVol03StartNumber;
  Edit& edtVol03EndNumber;
  Edit& edtVol03Prefix;
  Edit& edtVol03Suffix;
  CheckBox& chkVol03Hyphen;
  CheckBox& chkVol03PaddedZeroes;
  Label& lblVol03StartFolder;
  Label& lblVol03EndFolder;
  CheckBox& chkVol03ViewDetailedResults;
  CheckBox& chkVol03ViewDestFolder;
  Button& btnVol03Help;
  Button& btnVol03ClearAll;
  Button& btnVol03Statistics;
  CreatePageState vol03;

  // ---- pages Vol06 (rename), Vol07 (delete), Vol08 (copy): existing folders ----
  ListBox& lstVol06IncludeFolderList;
  ListBox& lstVol06ExcludeFolderList;
  Label& lblVol06IncludeSum;
  Label& lblVol06ExcludeSum;
  ListPanel vol06Panel;
  ListBox& lstVol07IncludeFolderList;
  ListBox& lstVol07ExcludeFolderList;
  Label& lblVol07IncludeSum;
  Label& lblVol07ExcludeSum;
  ListPanel vol07Panel;
  ListBox& lstVol08IncludeFolderList;
  ListBox& lstVol08ExcludeFolderList;
  Label& lblVol08IncludeSum;
  Label& lblVol08ExcludeSum;
  ListPanel vol08Panel;
  // Their counters ("lblVol06FoldersToRename" ...), Visual Log buttons and
  // "Show Visual Log" boxes.
  OperationStatistics vol06Stats{PageCounterNames("06")};
  OperationStatistics vol07Stats{PageCounterNames("07")};
  OperationStatistics vol08Stats{PageCounterNames("08")};
  Button& btnVol06Statistics;
  Button& btnVol07Statistics;
  Button& btnVol08Statistics;
  CheckBox& chkVol06ShowDetailedResults;
  CheckBox& chkVol07ShowDetailedResults;
  CheckBox& chkVol08ShowDetailedResults;

  // ---- the file filter on the copy and delete pages ----
  FileSelectionControls vol08Files;
  FileSelectionControls vol07Files;
  Label& lblVol08FileTypesAllSelected;
  Label& lblVol07FileTypesAllSelected;

  // ---- other pages' help buttons ----
  Button& btnVol08Help;
  Button& btnVol07Help;
  Button& btnVol06Help;
  Button& btnForcedHelp;

  // ---- page "Create Folder -IV.": folders by hand ----
  ManualCreationPage forced;

  // Texts several pages show (simulation explanations and end texts, and the
  // file-type status captions).
  struct StoredTexts {
    std::string createSimulation, createSimulationEnd;
    std::string renameSimulation, renameSimulationEnd;
    std::string deleteSimulation, deleteSimulationEnd;
    std::string copySimulation, copySimulationEnd;
  } texts;
  std::string applicationTitle;
  std::string helpFilePath;
  int hintHidePauseMs = 2500;
  std::string settingsPath;  // as SaveClass takes it: the working folder's file

  // ---- lifecycle ----
  void FormCreate();
  void FormActivate();
  // Returns false when the settings could not be written (0130 was shown).
  bool FormClose();
  void FormDestroy();

  // ---- shared services ----
  // page: "Vol02" or "Vol03".
  void ChooseDestination(const std::string& page, const std::string& path);
  void ViewDestination(const std::string& page);
  void ShowHelpTopic(const std::string& topic);
  // Moves `used` (trimmed) to the front of the combo box's items.
  static void UpdateDestinationHistory(ComboBox& combo, const std::string& used);

  // The run frame every operation uses; `page` is the running page's tab.
  RunOutcome RunOperation(TabSheet& page, const RunPlan& plan);
  // Marks the page's Visual Log as a real run or a simulation, resets the run
  // counters (the "To create:" row stays) and shows the labels.
  void PrepareCreateRun(CreatePageState& page, bool real, bool showVisualLog);
  void ShowCounters(CreatePageState& page);

  // ---- "Visual Log" buttons ----
  void btnVol02StatisticClick();
  void btnVol03StatisticsClick();
  void btnVol04StatisticsClick();
  void btnVol06StatisticsClick();
  void btnVol07StatisticsClick();
  void btnVol08StatisticsClick();

  // ---- name fields (prefix/suffix checks while typing) ----
  void edtVol02PrefixChange();
  void edtVol02SuffixChange();
  void edtVol03PrefixChange();
  void edtVol03SuffixChange();
  void edtVol04PrefixChange();
  void edtVol04SuffixChange();
  void chkVol02HyphenClick();
  void chkVol03HyphenClick();
  void chkVol04HyphenClick();
  void RefreshPreviewVol02();
  void RefreshPreviewVol04();

  // ---- page refreshes ----
  void RefreshVol02();
  void RefreshVol04();
  void RefreshVol03();
  void RefreshVol06();
  void RefreshVol07();
  void RefreshVol08();
  // Every list panel, in page order Vol02, Vol04, Vol06, Vol07, Vol08.
  std::vector<ListPanel*> Panels();
  void btnVol03ClearAllClick();
  bool HasDestination(const std::string& page) const;

 private:
  void BuildCreatePage(CreatePageState& page, const std::string& key, bool shortRowCaptions);
  // The counter labels and their captions of a page from its layout.
  void BuildCounterLabels(const std::string& page);
  void FieldCheck(Edit& field, const FieldMessage& message, const std::function<void()>& clean);
  void SetNoDestinationState(const std::string& page);
  void ResetVol02();
  void ResetVol04();
  void RefreshFolderPage(ListPanel& panel);
  void EnableDestinationControls(const std::string& page, bool enabled);
  std::vector<Connection> connections_;
  bool destinationChosenVol02_ = false;
  bool destinationChosenVol03_ = false;
};

}  // namespace quillory
