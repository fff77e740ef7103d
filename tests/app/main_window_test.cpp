#include "app/main_window.h"

#include <gtest/gtest.h>

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
  main.btnVol02AddDestFolder.Click();
  main.FormClose();
  Start();
  EXPECT_EQ(store->Vol02DestHistory(), std::vector<std::string>{"D:\\Dest"});
  EXPECT_EQ(app->main->cboVol02DestFolders.Items(), std::vector<std::string>{"D:\\Dest"});
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
  EXPECT_FALSE(main.btnVol02ViewDestFolder.Enabled());
  EXPECT_FALSE(main.lstVol02IncludeStrings.Enabled());
  EXPECT_TRUE(main.edtVol02Prefix.Enabled());
  EXPECT_FALSE(main.edtVol04Prefix.Enabled());  // until the folder list has an item
  EXPECT_FALSE(main.grpVol04Statistics.Visible());
  EXPECT_EQ(main.edtVol03StartNumber.Text(), "1");
  EXPECT_EQ(main.edtVol03EndNumber.Text(), "1");
  EXPECT_FALSE(main.edtVol03StartNumber.Enabled());
  EXPECT_TRUE(main.chkVol02ViewDetailedResults.Checked());
  EXPECT_TRUE(main.chkVol03ViewDestFolder.Checked());
  EXPECT_FALSE(main.chkVol02Hyphen.Checked());
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
  main.ChooseDestination("Vol02", "D:\\A");
  main.ChooseDestination("Vol02", "D:\\B");
  EXPECT_EQ(main.cboVol02DestFolders.Items(), (std::vector<std::string>{"D:\\B", "D:\\A"}));
  main.ChooseDestination("Vol02", "D:\\A");
  EXPECT_EQ(main.cboVol02DestFolders.Items(), (std::vector<std::string>{"D:\\B", "D:\\A"}));
  EXPECT_EQ(main.cboVol02DestFolders.ItemIndex(), 1);
  EXPECT_EQ(main.cboVol02DestFolders.Text(), "D:\\A");
  EXPECT_TRUE(main.btnVol02ViewDestFolder.Enabled());
  EXPECT_TRUE(main.lstVol02IncludeStrings.Enabled());

  // Picking an entry of the box is the same path.
  EXPECT_TRUE(main.cboVol02DestFolders.UserSelect(0));
  EXPECT_EQ(main.cboVol02DestFolders.Text(), "D:\\B");

  main.ChooseDestination("Vol03", "D:\\N");
  EXPECT_TRUE(main.edtVol03StartNumber.Enabled());
  EXPECT_TRUE(main.btnVol03ViewDestFolder.Enabled());
  EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(AppTest, AnEmptyDestinationWarnsAndDisablesThePageOnlyWhenTheBoxIsEmpty) {
  TfrmMain& main = Start();
  ui->folders = {""};
  main.btnVol02AddDestFolder.Click();
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, kEmptyDest);
  EXPECT_EQ(messages[0].caption, k0001);
  EXPECT_EQ(messages[0].messageKind, MessageKind::Warning);
  EXPECT_FALSE(main.btnVol02ViewDestFolder.Enabled());
  EXPECT_GT(main.cboVol02DestFolders.FocusRequests(), 0);

  main.ChooseDestination("Vol02", "D:\\A");
  main.ChooseDestination("Vol02", "   ");
  EXPECT_TRUE(main.btnVol02ViewDestFolder.Enabled());  // the box still names a destination
  EXPECT_EQ(ui->Messages().size(), 2u);

  main.ChooseDestination("Vol03", "");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0077.");
  EXPECT_FALSE(main.edtVol03Prefix.Enabled());
}

TEST_F(AppTest, ViewOpensTheTrimmedDestinationOrWarns) {
  TfrmMain& main = Start();
  main.ViewDestination("Vol02");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-From a String List.            Warning no: 0002.");
  EXPECT_EQ(ui->Messages().back().text,
            "The selection field is empty !\nAction : You must select a destination folder.");
  main.ChooseDestination("Vol03", " D:\\N ");
  main.btnVol03ViewDestFolder.Click();
  EXPECT_EQ(ui->calls.back().kind, "open_folder");
  EXPECT_EQ(ui->calls.back().text, "D:\\N");
}

TEST_F(AppTest, ClosingWithAnEmptyBoxKeepsTheHistoryAndAFailedSaveSays0130) {
  TfrmMain& main = Start();
  store->SetVol03DestHistory({"D:\\Old", "", "D:\\Old", "D:\\Other"});
  main.FormClose();
  Start();
  // Refill drops empty and repeated entries.
  EXPECT_EQ(app->main->cboVol03DestFolders.Items(), (std::vector<std::string>{"D:\\Old", "D:\\Other"}));
  EXPECT_TRUE(app->main->cboVol02DestFolders.Items().empty());
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
  main.edtVol02Prefix.UserSetText("a?bc");
  EXPECT_EQ(main.edtVol02Prefix.Text(), "a");
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 3u);
  for (auto& m : messages) {
    EXPECT_EQ(m.text, "Illegal character in the Prefix :  ?");
    EXPECT_EQ(m.caption, "Creating Folder(s).-From a String List.            Warning no: 0018.");
  }
  ui->ClearCalls();
  main.edtVol02Suffix.UserSetText("ab?");
  EXPECT_EQ(main.edtVol02Suffix.Text(), "ab");
  ASSERT_EQ(ui->Messages().size(), 1u);
  EXPECT_EQ(ui->Messages()[0].text, "Illegal character in the Suffix :  ?");

  ui->ClearCalls();
  main.ChooseDestination("Vol03", "D:\\N");
  main.edtVol03Suffix.UserSetText("x*");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-Increased numbers.            Warning no: 0080.");
  main.lstVol04IncludeFolderList.Add("D:\\A\\B");
  main.edtVol04Prefix.UserSetText("p|é");
  EXPECT_EQ(main.edtVol04Prefix.Text(), "p");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-From a Folder List.            Warning no: 0054.");
  EXPECT_EQ(ui->Messages().back().text, "Illegal character in the Prefix :  |");
}

TEST_F(AppTest, PreviewFollowsTheListFieldsAndHyphen) {
  TfrmMain& main = Start();
  main.ChooseDestination("Vol02", "D:\\X");
  main.lstVol02IncludeStrings.AddMany({"b", "a"});
  EXPECT_EQ(main.lblVol02IncludeSum.Caption(), "2");
  EXPECT_EQ(main.lblVol02StartFolder.Caption(), "D:\\X\\a");
  main.edtVol02Prefix.UserSetText("P");
  main.chkVol02Hyphen.Click();
  EXPECT_EQ(main.lblVol02StartFolder.Caption(), "D:\\X\\P-a");
  EXPECT_EQ(main.lblVol02EndFolder.Caption(), "D:\\X\\P-b");
  main.edtVol02Suffix.UserSetText("S");
  EXPECT_EQ(main.lblVol02EndFolder.Caption(), "D:\\X\\P-b-S");
  EXPECT_EQ(L(main, "lblVol02FoldersToCreate").Caption(), "2");
  main.lstVol02IncludeStrings.Clear();
  EXPECT_EQ(main.lblVol02StartFolder.Caption(), "");

  main.lstVol04IncludeFolderList.AddMany({"D:\\Clients\\Smith.Jr", "relative"});
  EXPECT_TRUE(main.edtVol04Prefix.Enabled());
  main.edtVol04Suffix.UserSetText("_old");
  EXPECT_EQ(main.lblVol04StartFolder.Caption(), "D:\\Clients_old");
  EXPECT_EQ(main.lblVol04EndFolder.Caption(), "");  // no drive: the label stays as it was
}

TEST_F(AppTest, ActivationSetsVisualLogHeadingsAndHelpShowsThePageTopic) {
  TfrmMain& main = Start();
  app->statistic06->chkNormalSimulate.SetChecked(false);
  main.FormActivate();
  EXPECT_EQ(app->statistic02->lblNormalSimulate.Caption(), "Folder/File Creation Process.");
  EXPECT_EQ(app->statistic06->lblNormalSimulate.Caption(), "Simulate the Folder Rename Process.");
  EXPECT_EQ(app->statistics07->lblNormalSimulate.Caption(), "Folder/File Delete Process.");
  EXPECT_EQ(app->statistic08->lblNormalSimulate.GetColor(), Color::DarkRed);
  EXPECT_EQ(main.lblVol07FileTypesAllSelected.Caption(), "All.");
  store->SetFileMaskText("*.doc");
  main.FormActivate();
  EXPECT_EQ(main.lblVol08FileTypesAllSelected.Caption(), "User Selected.");

  ui->modalBlocks["TfrmAltalanosHelp"] = [](Window& w) {
    auto& help = static_cast<TfrmAltalanosHelp&>(w);
    EXPECT_EQ(help.Topic(), "Vol03");
    EXPECT_TRUE(help.btnMoreHelp.Visible());
    help.btnMoreHelp.Click();
    help.btnHelpClose.Click();
    return ModalResult::None;
  };
  main.btnVol03Help.Click();
  EXPECT_EQ(ui->calls.back().answer, "Close");
  bool moreHelpShown = false;
  for (auto& call : ui->calls) moreHelpShown = moreHelpShown || (call.kind == "modal" && call.caption == "TfrmMoreHelp");
  EXPECT_TRUE(moreHelpShown);
}

TEST_F(AppTest, ARunResetsTheRunCountersButNotTheForecastAndShowsTheVisualLog) {
  TfrmMain& main = Start();
  main.ChooseDestination("Vol02", "D:\\X");
  main.lstVol02IncludeStrings.AddMany({"a", "b", "c"});
  main.vol02.stats.Set("FoldersCreated", 7);
  main.vol02.createdMainFolders = {"D:\\X\\old"};
  RunPlan plan;
  plan.confirm = {"Go", "Confirm"};
  plan.prepare = [&] { main.PrepareCreateRun(main.vol02, true, main.chkVol02ViewDetailedResults.Checked()); };
  plan.itemCount = 3;
  plan.work = [&](std::size_t) {
    EXPECT_FALSE(main.tabFoldersCopy02.Enabled());
    main.vol02.stats.Add("FoldersCreated", 1);
    main.ShowCounters(main.vol02);
  };
  plan.end = {"End", "End"};
  plan.after = [&] { TfrmMain::UpdateDestinationHistory(main.cboVol02DestFolders, " D:\\X "); };
  ui->answers = {MessageAnswer::Yes};
  EXPECT_EQ(main.RunOperation(main.tabFolderCreate03, plan), RunOutcome::Completed);
  EXPECT_EQ(L(main, "lblVol02FoldersCreated").Caption(), "3");
  EXPECT_EQ(L(main, "lblVol02FoldersToCreate").Caption(), "3");
  EXPECT_TRUE(main.vol02.createdMainFolders.empty());
  EXPECT_TRUE(app->statistic02->Shown());
  EXPECT_TRUE(main.tabFoldersCopy02.Enabled());
  EXPECT_EQ(main.cboVol02DestFolders.Items().front(), "D:\\X");
}

}  // namespace
}  // namespace quillory
