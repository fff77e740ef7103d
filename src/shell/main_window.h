// TfrmMain: the main window model. It holds the menus and the seven tab
// pages and composes the page models, which register their controls on it
// under their documented names; it runs the window's lifecycle.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/run_frame.h"
#include "app/services.h"
#include "app/window.h"
#include "operations/copy_page.h"
#include "operations/delete_page.h"
#include "operations/manual_creation.h"
#include "operations/numbers_page.h"
#include "operations/paths_page.h"
#include "operations/rename_page.h"
#include "operations/strings_page.h"
#include "results/visual_logs.h"

namespace quillory {

class Application;
class SettingsStore;
class Ui;

class TfrmMain : public Window {
 public:
  TfrmMain(Application& app, Services services);

  Application& app;
  Services services;
  Ui& ui() const { return services.ui; }
  SettingsStore& settings;
  // Counters, labels and result lists of every operation page's Visual Log.
  VisualLogs visualLogs;

  // ---- menus ----
  Button& mnuFileExit;
  Button& mnuHelpOverView;
  Button& mnuHelpAbout;
  Button& mnuHelpTopics;
  Button& mnuHelpWebPage;
  Button& mnuMiscManageSeparators;
  Button& mnuMiscManageQuotationMarks;
  std::vector<Button*> mnuVideoTutorials;
  // Misc. > Operations at Once: automatic, then fixed numbers; each entry's
  // value is JobsOfEntry(its index).
  std::vector<Button*> mnuMiscJobs;
  static int JobsOfEntry(std::size_t index);

  // ---- pages, in tab order ----
  PageControl& pgeMain;
  TabSheet& tabFoldersCopy02;
  TabSheet& tabFoldersDelete01;
  TabSheet& tabFoldersRename01;
  TabSheet& tabFolderCreate03;
  TabSheet& tabFolderCreate05;
  TabSheet& tabFolderCreate04;
  TabSheet& tabFolderCreate01;

 private:
  PageContext context_;  // before the pages, which are built from it

 public:
  CopyPage vol08;
  DeletePage vol07;
  RenamePage vol06;
  CreateFromStringsPage vol02;
  CreateFromPathsPage vol04;
  CreateFromNumbersPage vol03;
  Button& btnForcedHelp;
  ManualCreationPage forced;

  std::string applicationTitle;
  int hintHidePauseMs = 2500;
  std::string settingsPath;  // as SaveClass takes it: the working folder's file
  // Where the pages keep their undo journals ("" keeps none): beside the
  // settings file, set at start.
  void SetJournalFolder(const std::string& folder);

  // ---- lifecycle ----
  void FormCreate();
  void FormActivate();
  // Returns false when the settings could not be written (0130 was shown).
  bool FormClose();
  void FormDestroy();

  void ShowHelpTopic(PageKey page);
  // F1: the help topic of the page in front.
  void ShowHelpForActivePage();
  // Opens the demonstration window on the named demonstration.
  void PlayDemonstration(const std::string& name);
  // Opens an address in the browser; the display code sets it.
  std::function<void(const std::string& address)> openWebPage;
  // Every list panel, in page order Vol02, Vol04, Vol06, Vol07, Vol08.
  std::vector<ListPanel*> Panels();

 private:
  std::vector<Connection> connections_;
};

}  // namespace quillory
