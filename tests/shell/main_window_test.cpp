#include "shell/main_window.h"

#include <gtest/gtest.h>

#include "app/run_frame.h"
#include "app/settings_file.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

const char* const k0001 = "Creating Folder(s).-From a String List.            Warning no: 0001.";
const char* const kEmptyDest = "The selection field is empty !\nAction : You must select a Destination Folder.";

Label& L(TfrmMain& main, const char* name) {
  auto* label = main.FindAs<Label>(name);
  if (!label) throw std::runtime_error(std::string("no label ") + name);
  return *label;
}

TEST_F(AppTest, FirstStartWritesTheSettingsFileAndTheSecondRestoresIt) {
  ASSERT_FALSE(IsFile("D:\\default.set"));
  TfrmMain& main = Start();
  EXPECT_EQ(main.settingsPath, WorkingFolderSettingsPath());
  ASSERT_TRUE(IsFile("D:\\default.set"));
  const std::string first = ReadFile("D:\\default.set");
  EXPECT_EQ(first.size() % kSettingsRecordSize, 0u);
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_EQ(store->FileMasks(), std::vector<std::string>{"*.*"});

  MakeDir("D:\\Dest");
  ui->folders = {"D:\\Dest"};
  main.vol02.btnVol02AddDestFolder.Click();
  main.FormClose();
  Start();
  EXPECT_EQ(store->Vol02DestHistory(), std::vector<std::string>{"D:\\Dest"});
  EXPECT_EQ(app->main->vol02.cboVol02DestFolders.Items(), std::vector<std::string>{"D:\\Dest"});
}

TEST_F(AppTest, PagesStartInTheirDocumentedOrderAndEmptyState) {
  TfrmMain& main = Start();
  std::vector<std::string> captions;
  for (auto* tab : main.pgeMain.Pages()) captions.push_back(tab->Caption());
  EXPECT_EQ(captions, (std::vector<std::string>{"Copy Folder Structures", "Delete Folder Structures", "Rename Folders ",
                                                "Create Folder Structures-I", "Create Folder Struct.-II",
                                                "Create Folder Struct.-III", "Create Folder -IV."}));
  EXPECT_EQ(main.pgeMain.ActivePage(), &main.tabFoldersCopy02);
  EXPECT_TRUE(main.mnuMiscManageSeparators.Visible());
  EXPECT_TRUE(main.mnuMiscManageQuotationMarks.Visible());
  EXPECT_FALSE(main.vol02.btnVol02ViewDestFolder.Enabled());
  EXPECT_FALSE(main.vol02.lstVol02IncludeStrings.Enabled());
  EXPECT_TRUE(main.vol02.edtVol02Prefix.Enabled());
  EXPECT_FALSE(main.vol04.edtVol04Prefix.Enabled());  // until the folder list has an item
  EXPECT_FALSE(main.vol04.grpVol04Statistics.Visible());
  EXPECT_EQ(main.vol03.edtVol03StartNumber.Text(), "1");
  EXPECT_EQ(main.vol03.edtVol03EndNumber.Text(), "1");
  EXPECT_FALSE(main.vol03.edtVol03StartNumber.Enabled());
  EXPECT_TRUE(main.vol02.chkVol02ViewDetailedResults.Checked());
  EXPECT_TRUE(main.vol03.chkVol03ViewDestFolder.Checked());
  EXPECT_FALSE(main.vol02.chkVol02Hyphen.Checked());
  EXPECT_EQ(main.hintHidePauseMs, 600000);
  for (const char* name : {"lblVol02FoldersToCreate", "lblVol03FilesSizeOther", "lblVol04SubFoldersExists"})
    EXPECT_EQ(L(main, name).Caption(), "0") << name;
  EXPECT_EQ(L(main, "lblVol03RowCreated").Caption(), "Created :");
  EXPECT_EQ(L(main, "lblVol02RowExists").Caption(), "Not created  (already exist):");
  EXPECT_EQ(L(main, "lblVol04RowOther").Caption(), "NOT created (other reasons):");
  // Every window exists once, the main window first.
  EXPECT_EQ(app->Windows().front(), app->main);
  EXPECT_NE(app->Find("TfrmZoomIncludeWindow"), nullptr);
  EXPECT_EQ(app->Windows().size(), 45u);
}

TEST_F(AppTest, ChoosingDestinationsKeepsOneEntryAndPutsTheNewOneFirst) {
  TfrmMain& main = Start();
  main.vol02.ChooseDestination("D:\\A");
  main.vol02.ChooseDestination("D:\\B");
  EXPECT_EQ(main.vol02.cboVol02DestFolders.Items(), (std::vector<std::string>{"D:\\B", "D:\\A"}));
  main.vol02.ChooseDestination("D:\\A");
  EXPECT_EQ(main.vol02.cboVol02DestFolders.Items(), (std::vector<std::string>{"D:\\B", "D:\\A"}));
  EXPECT_EQ(main.vol02.cboVol02DestFolders.ItemIndex(), 1);
  EXPECT_EQ(main.vol02.cboVol02DestFolders.Text(), "D:\\A");
  EXPECT_TRUE(main.vol02.btnVol02ViewDestFolder.Enabled());
  EXPECT_TRUE(main.vol02.lstVol02IncludeStrings.Enabled());

  // Picking an entry of the box is the same path.
  EXPECT_TRUE(main.vol02.cboVol02DestFolders.UserSelect(0));
  EXPECT_EQ(main.vol02.cboVol02DestFolders.Text(), "D:\\B");

  main.vol03.ChooseDestination("D:\\N");
  EXPECT_TRUE(main.vol03.edtVol03StartNumber.Enabled());
  EXPECT_TRUE(main.vol03.btnVol03ViewDestFolder.Enabled());
  EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(AppTest, AnEmptyDestinationWarnsAndDisablesThePageOnlyWhenTheBoxIsEmpty) {
  TfrmMain& main = Start();
  ui->folders = {""};
  main.vol02.btnVol02AddDestFolder.Click();
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, kEmptyDest);
  EXPECT_EQ(messages[0].caption, k0001);
  EXPECT_EQ(messages[0].messageKind, MessageKind::Warning);
  EXPECT_FALSE(main.vol02.btnVol02ViewDestFolder.Enabled());
  EXPECT_GT(main.vol02.cboVol02DestFolders.FocusRequests(), 0);

  main.vol02.ChooseDestination("D:\\A");
  main.vol02.ChooseDestination("   ");
  EXPECT_TRUE(main.vol02.btnVol02ViewDestFolder.Enabled());  // the box still names a destination
  EXPECT_EQ(ui->Messages().size(), 2u);

  main.vol03.ChooseDestination("");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0077.");
  EXPECT_FALSE(main.vol03.edtVol03Prefix.Enabled());
}

TEST_F(AppTest, ViewOpensTheTrimmedDestinationOrWarns) {
  TfrmMain& main = Start();
  main.vol02.ViewDestination();
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-From a String List.            Warning no: 0002.");
  EXPECT_EQ(ui->Messages().back().text,
            "The selection field is empty !\nAction : You must select a destination folder.");
  main.vol03.ChooseDestination(" D:\\N ");
  main.vol03.btnVol03ViewDestFolder.Click();
  EXPECT_EQ(ui->calls.back().kind, "open_folder");
  EXPECT_EQ(ui->calls.back().text, "D:\\N");
}

TEST_F(AppTest, ClosingWithAnEmptyBoxKeepsTheHistoryAndAFailedSaveSays0130) {
  TfrmMain& main = Start();
  store->SetVol03DestHistory({"D:\\Old", "", "D:\\Old", "D:\\Other"});
  main.FormClose();
  Start();
  // Refill drops empty and repeated entries.
  EXPECT_EQ(app->main->vol03.cboVol03DestFolders.Items(), (std::vector<std::string>{"D:\\Old", "D:\\Other"}));
  EXPECT_TRUE(app->main->vol02.cboVol02DestFolders.Items().empty());
  app->main->FormClose();
  EXPECT_EQ(store->Vol03DestHistory(), (std::vector<std::string>{"D:\\Old", "D:\\Other"}));

  app->main->settingsPath = "D:\\missing\\folder\\default.set";
  EXPECT_FALSE(app->main->FormClose());
  ASSERT_FALSE(ui->Messages().empty());
  EXPECT_EQ(ui->Messages().back().caption, "Severe Error!    Msg no: 0130.");
  EXPECT_EQ(ui->Messages().back().messageKind, MessageKind::Error);
  EXPECT_TRUE(IsFile("D:\\default.set"));
}

TEST_F(AppTest, PastingIllegalCharactersWarnsOncePerRemovedCharacter) {
  TfrmMain& main = Start();
  main.vol02.edtVol02Prefix.UserSetText("a?bc");
  EXPECT_EQ(main.vol02.edtVol02Prefix.Text(), "a");
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 3u);
  for (auto& m : messages) {
    EXPECT_EQ(m.text, "Illegal character in the Prefix :  ?");
    EXPECT_EQ(m.caption, "Creating Folder(s).-From a String List.            Warning no: 0018.");
  }
  ui->ClearCalls();
  main.vol02.edtVol02Suffix.UserSetText("ab?");
  EXPECT_EQ(main.vol02.edtVol02Suffix.Text(), "ab");
  ASSERT_EQ(ui->Messages().size(), 1u);
  EXPECT_EQ(ui->Messages()[0].text, "Illegal character in the Suffix :  ?");

  ui->ClearCalls();
  main.vol03.ChooseDestination("D:\\N");
  main.vol03.edtVol03Suffix.UserSetText("x*");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-Increased numbers.            Warning no: 0080.");
  main.vol04.lstVol04IncludeFolderList.Add("D:\\A\\B");
  main.vol04.edtVol04Prefix.UserSetText("p|é");
  EXPECT_EQ(main.vol04.edtVol04Prefix.Text(), "p");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-From a Folder List.            Warning no: 0054.");
  EXPECT_EQ(ui->Messages().back().text, "Illegal character in the Prefix :  |");
}

TEST_F(AppTest, PreviewFollowsTheListFieldsAndHyphen) {
  TfrmMain& main = Start();
  main.vol02.ChooseDestination("D:\\X");
  main.vol02.lstVol02IncludeStrings.AddMany({"b", "a"});
  EXPECT_EQ(main.vol02.lblVol02IncludeSum.Caption(), "2");
  EXPECT_EQ(main.vol02.lblVol02StartFolder.Caption(), "D:\\X\\a");
  main.vol02.edtVol02Prefix.UserSetText("P");
  main.vol02.chkVol02Hyphen.Click();
  EXPECT_EQ(main.vol02.lblVol02StartFolder.Caption(), "D:\\X\\P-a");
  EXPECT_EQ(main.vol02.lblVol02EndFolder.Caption(), "D:\\X\\P-b");
  main.vol02.edtVol02Suffix.UserSetText("S");
  EXPECT_EQ(main.vol02.lblVol02EndFolder.Caption(), "D:\\X\\P-b-S");
  EXPECT_EQ(L(main, "lblVol02FoldersToCreate").Caption(), "2");
  main.vol02.lstVol02IncludeStrings.Clear();
  EXPECT_EQ(main.vol02.lblVol02StartFolder.Caption(), "");

  main.vol04.lstVol04IncludeFolderList.AddMany({"D:\\Clients\\Smith.Jr", "relative"});
  EXPECT_TRUE(main.vol04.edtVol04Prefix.Enabled());
  main.vol04.edtVol04Suffix.UserSetText("_old");
  EXPECT_EQ(main.vol04.lblVol04StartFolder.Caption(), "D:\\Clients_old");
  EXPECT_EQ(main.vol04.lblVol04EndFolder.Caption(), "");  // no drive: the label stays as it was
}

TEST_F(AppTest, ActivationSetsVisualLogHeadingsAndHelpShowsThePageTopic) {
  TfrmMain& main = Start();
  app->statistic06->chkNormalSimulate.SetChecked(false);
  main.FormActivate();
  EXPECT_EQ(app->statistic02->lblNormalSimulate.Caption(), "Folder/File Creation Process.");
  EXPECT_EQ(app->statistic06->lblNormalSimulate.Caption(), "Simulate the Folder Rename Process.");
  EXPECT_EQ(app->statistics07->lblNormalSimulate.Caption(), "Folder/File Delete Process.");
  EXPECT_EQ(app->statistic08->lblNormalSimulate.GetColor(), Color::DarkRed);
  EXPECT_EQ(main.vol07.lblVol07FileTypesAllSelected.Caption(), "All.");
  store->SetFileMaskText("*.doc");
  main.FormActivate();
  EXPECT_EQ(main.vol08.lblVol08FileTypesAllSelected.Caption(), "User Selected.");

  ui->modalBlocks["TfrmAltalanosHelp"] = [](Window& w) {
    auto& help = static_cast<TfrmAltalanosHelp&>(w);
    EXPECT_EQ(help.Topic(), "Vol03");
    EXPECT_TRUE(help.btnMoreHelp.Visible());
    help.btnMoreHelp.Click();
    help.btnHelpClose.Click();
    return ModalResult::None;
  };
  main.vol03.btnVol03Help.Click();
  EXPECT_EQ(ui->calls.back().answer, "Close");
  bool moreHelpShown = false;
  for (auto& call : ui->calls) moreHelpShown = moreHelpShown || (call.kind == "modal" && call.caption == "TfrmMoreHelp");
  EXPECT_TRUE(moreHelpShown);
}

TEST_F(AppTest, ARunResetsTheRunCountersButNotTheForecastAndShowsTheVisualLog) {
  TfrmMain& main = Start();
  main.vol02.ChooseDestination("D:\\X");
  main.vol02.lstVol02IncludeStrings.AddMany({"a", "b", "c"});
  main.vol02.stats.Set("FoldersCreated", 7);
  main.vol02.records.createdMainFolders = {"D:\\X\\old"};
  RunPlan plan;
  plan.confirm = {"Go", "Confirm"};
  plan.prepare = [&] { main.vol02.PrepareRun(true, main.vol02.chkVol02ViewDetailedResults.Checked()); };
  plan.itemCount = 3;
  plan.work = [&](std::size_t, const OutcomeSink& emit) {
    EXPECT_FALSE(main.tabFoldersCopy02.Enabled());
    ItemOutcome outcome;
    outcome.path = "D:\\X\\a";
    outcome.Count(Id(CreateCounter::FoldersCreated));
    emit(std::move(outcome));
  };
  plan.record = [&](ItemOutcome&& outcome) {
    for (std::uint8_t i = 0; i < outcome.counterCount; ++i)
      main.vol02.stats.Add(outcome.counters[i].counter, outcome.counters[i].delta);
    main.vol02.ShowCounters();
  };
  plan.end = {"End", "End"};
  plan.after = [&] { UpdateDestinationHistory(main.vol02.cboVol02DestFolders, " D:\\X "); };
  ui->answers = {MessageAnswer::Yes};
  EXPECT_EQ(RunFrame(main.ui(), main.pgeMain, main.tabFolderCreate03, plan), RunOutcome::Completed);
  EXPECT_EQ(L(main, "lblVol02FoldersCreated").Caption(), "3");
  EXPECT_EQ(L(main, "lblVol02FoldersToCreate").Caption(), "3");
  EXPECT_TRUE(main.vol02.records.createdMainFolders.empty());
  EXPECT_TRUE(app->statistic02->Shown());
  EXPECT_TRUE(main.tabFoldersCopy02.Enabled());
  EXPECT_EQ(main.vol02.cboVol02DestFolders.Items().front(), "D:\\X");
}

}  // namespace
// The descriptors name the tabs the main window has, in its order, and each
// page's controls are found on the main window under their documented names.
TEST_F(AppTest, EveryPageDescriptorNamesItsTabAndItsControlsAreOnTheMainWindow) {
  TfrmMain& main = Start();
  ASSERT_EQ(main.pgeMain.Pages().size(), kPageCount);
  for (const PageDescriptor& page : kPages) {
    const TabSheet* tab = main.pgeMain.Pages()[page.tabIndex()];
    EXPECT_EQ(tab->Name(), page.tab);
    EXPECT_EQ(tab->Caption(), page.tabCaption);
    if (page.hasPanel()) {
      const std::string include =
          page.key == PageKey::Vol02 ? "lstVol02IncludeStrings" : "lst" + std::string(page.name) + "IncludeFolderList";
      EXPECT_NE(main.FindAs<ListBox>(include), nullptr) << include;
      EXPECT_EQ(main.Panels()[PanelIndex(page.key)]->Page(), page.key);
    }
  }
  EXPECT_EQ(main.FindAs<Button>("btnVol06Statistics"), &main.vol06.btnStatistics);
  EXPECT_EQ(main.FindAs<ComboBox>("cboVol03DestFolders"), &main.vol03.cboVol03DestFolders);
  // Pages without a Visual Log or list panel refuse to be indexed as having one.
  EXPECT_THROW(OperationIndex(PageKey::Forced), std::logic_error);
  EXPECT_THROW(PanelIndex(PageKey::Vol03), std::logic_error);
  EXPECT_THROW(PageCounterLayout(PageKey::Forced), std::logic_error);
}

// A save killed part-way leaves its temporary beside the settings; the next
// start removes it even when it has nothing to save, and leaves a live
// process's temporary and other names alone.
TEST_F(AppTest, StartRemovesTheTemporariesOfKilledSavesOnly) {
  Start();  // writes a sound settings file, so later starts do not save
  const std::string dead = ".default.set.tmp-1073741000-3";
  const std::string live = ".default.set.tmp-" + std::to_string(::getpid()) + "-9";
  for (const std::string& name : {dead, live, std::string(".default.set.tmp-x"), std::string("notes.tmp-1-1")})
    MakeFile(std::string("D:\\") + name, "partial");
  Start();
  EXPECT_FALSE(IsFile("D:\\" + dead));
  EXPECT_TRUE(IsFile("D:\\" + live));
  EXPECT_TRUE(IsFile("D:\\.default.set.tmp-x"));
  EXPECT_TRUE(IsFile("D:\\notes.tmp-1-1"));
}

}  // namespace quillory
