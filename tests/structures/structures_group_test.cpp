#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "structures/structures_group.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

const char* const kVol08Level = "Copy Folder Structure(s).-From a Folder List - Level.            ";

class StructuresGroupTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    MAP_FOLDER_TEMPLATE_OPTIONS.clear();
    main = &Start();
    ui->ClearCalls();
  }
  void TearDown() override {
    MAP_FOLDER_TEMPLATE_OPTIONS.clear();
    AppTest::TearDown();
  }

  // The import window closes with `result` and these preview items.
  void ImportGives(std::vector<std::string> items, ModalResult result = ModalResult::Ok) {
    ui->modalBlocks["TfrmFileImport"] = [this, items, result](Window&) {
      app->fileImport->lstFileImportResults.SetItems(items);
      return result;
    };
  }
  // The editor gets these lines and OK (or Cancel) is pressed once.
  void EditGives(std::vector<std::string> lines, bool ok = true) {
    ui->modalBlocks["TfrmFolderStructuresTemplates"] = [lines, ok](Window& w) {
      auto& editor = dynamic_cast<TfrmFolderStructuresTemplates&>(w);
      editor.mmoEditFolderStructuresTemplates.SetLines(lines);
      (ok ? editor.btnFolderStructuresTemplatesOk : editor.btnFolderStructuresTemplatesCancel).Click();
      return ModalResult::None;
    };
  }
  UiCall OnlyMessage() {
    auto messages = ui->Messages();
    EXPECT_EQ(messages.size(), 1u);
    return messages.empty() ? UiCall{} : messages.front();
  }

  TfrmMain* main = nullptr;
};

// ------------------------------------------------------ names and captions

TEST_F(StructuresGroupTest, EachPageRegistersItsControlsWithItsOwnCaptions) {
  for (const char* page : {"Vol02", "Vol03", "Vol04", "Vol08"}) {
    const std::string p(page);
    for (const char* name : {"lst%AddFolderStructure", "lbl%FolderStructuresTemplatesSum",
                             "rdo%StructureImportFullPaths", "rdo%StructureImportRelativePaths",
                             "rdo%AttachMainFolderWithFiles", "rdo%AttachMainFolderWithoutFiles",
                             "rdo%AttachSubFoldersOnlyWithFiles", "rdo%AttachSubFoldersOnlyWithoutFiles"}) {
      std::string n(name);
      n.replace(n.find('%'), 1, p);
      EXPECT_NE(main->Find(n), nullptr) << n;
    }
    EXPECT_EQ(main->Find("rdo" + p + "AttachNothing") != nullptr, p != "Vol08") << p;
    const std::pair<const char*, const char*> buttons[] = {
        {"AddFolderStructure", "Add Structure"}, {"ImportFolderStructuresTemplates", "Import"},
        {"ExportFolderStructuresTemplates", "Export"}, {"EditFolderStructuresTemplates", "Edit"},
        {"ViewFolderStructure", "View Selected"}, {"DeleteSelFolderStructuresTemplates", "Delete Sel."},
        {"DeleteAllFolderStructuresTemplates", "Delete All"}, {"FolderTemplatesOptions", "Options"}};
    for (auto [suffix, caption] : buttons) {
      auto* button = main->FindAs<Button>("btn" + p + suffix);
      ASSERT_NE(button, nullptr) << p << suffix;
      EXPECT_EQ(button->Caption(), caption);
    }
  }
  EXPECT_EQ(main->vol08.structures.rdoFullPaths.Caption(), "Copy Existing Folder Structures to Each Folder.");
  EXPECT_EQ(main->vol08.structures.rdoRelativePaths.Caption(), "Copy Folder Templates to Each Folder.");
  EXPECT_EQ(main->vol08.structures.rdoMainWithFiles.Caption(), "Main Folders and their Subfolders - With Sel. Files.");
  EXPECT_EQ(main->vol08.structures.rdoSubWithFiles.Caption(), "Subfolders Only - With Selected Files.");
  EXPECT_EQ(main->vol02.structures.rdoFullPaths.Caption(), "Existing Folder Structures to Each Created Folder.");
  EXPECT_EQ(main->vol03.structures.rdoRelativePaths.Caption(), "Folder Templates to Each Created Folder.");
  EXPECT_EQ(main->vol04.structures.rdoNothing->Caption(), "Attach Nothing.");
  EXPECT_EQ(main->vol02.structures.rdoMainWithFiles.Caption(), "Main Folders and their Subfolders - With Files.");
  EXPECT_EQ(main->vol03.structures.rdoSubWithFiles.Caption(), "Subfolders Only - With Files.");
  EXPECT_EQ(main->vol04.structures.rdoSubWithoutFiles.Caption(), "Subfolders Only - Without Files.");
}

// --------------------------------------------------- source kinds and modes

TEST_F(StructuresGroupTest, TemplatesAreChosenAtStartAndEachKindSetsItsButtons) {
  StructuresGroup& g = main->vol08.structures;
  EXPECT_TRUE(g.rdoRelativePaths.Checked());
  EXPECT_EQ(g.SourceMark(), "R");
  EXPECT_TRUE(g.btnImport.Enabled() && g.btnEdit.Enabled() && g.btnOptions.Enabled() && g.btnExport.Enabled());
  EXPECT_FALSE(g.btnAdd.Enabled() || g.btnView.Enabled());
  for (RadioButton* mode : g.modes.Buttons()) EXPECT_FALSE(mode->Enabled() || mode->Checked());

  ASSERT_TRUE(g.rdoFullPaths.Click());
  EXPECT_EQ(g.SourceMark(), "F");
  EXPECT_TRUE(g.rdoMainWithoutFiles.Checked()) << "mode 2 when none is checked";
  EXPECT_TRUE(g.btnAdd.Enabled() && g.btnView.Enabled() && g.btnDeleteSel.Enabled() && g.list.Enabled());
  EXPECT_FALSE(g.btnImport.Enabled() || g.btnEdit.Enabled() || g.btnOptions.Enabled() || g.btnExport.Enabled());
  // A chosen mode survives a second click of the same kind.
  ASSERT_TRUE(g.rdoSubWithoutFiles.Click());
  ASSERT_TRUE(g.rdoFullPaths.Click());
  EXPECT_TRUE(g.rdoSubWithoutFiles.Checked());
  EXPECT_FALSE(g.rdoMainWithoutFiles.Checked());
}

TEST_F(StructuresGroupTest, SwitchingKindsEmptiesTheListAndReportsTheChange) {
  StructuresGroup& g = main->vol02.structures;
  int changes = 0;
  g.changed = [&] { ++changes; };
  g.list.SetItems({"\\a", "\\b"});
  changes = 0;
  ASSERT_TRUE(g.rdoFullPaths.Click());
  EXPECT_TRUE(g.list.Empty());
  EXPECT_EQ(g.sum.Caption(), "0");
  EXPECT_EQ(changes, 1) << "one report per click, not one per list event";
  g.list.SetItems({"D:\\x"});
  EXPECT_EQ(g.sum.Caption(), "1") << "a change from outside still reaches the count";
  ASSERT_TRUE(g.rdoRelativePaths.Click());
  EXPECT_TRUE(g.list.Empty());
}

TEST_F(StructuresGroupTest, AttachNothingDisablesTheStructureControlsAndAllowsARun) {
  StructuresGroup& g = main->vol04.structures;
  main->vol04.lstVol04IncludeFolderList.Add("D:\\Dest");
  EXPECT_FALSE(g.RunAllowed()) << "templates with an empty list";
  ASSERT_TRUE(g.rdoFullPaths.Click());
  ASSERT_TRUE(g.rdoNothing->Click());
  EXPECT_EQ(g.SourceMark(), "N");
  EXPECT_TRUE(g.RunAllowed());
  for (Control* c : std::initializer_list<Control*>{&g.btnAdd, &g.btnView, &g.btnImport, &g.btnExport, &g.btnEdit,
                                                     &g.btnDeleteSel, &g.btnDeleteAll, &g.btnOptions, &g.list})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  for (RadioButton* mode : g.modes.Buttons()) EXPECT_FALSE(mode->Enabled() || mode->Checked());
  EXPECT_TRUE(g.rdoFullPaths.Enabled() && g.rdoRelativePaths.Enabled());
}

TEST_F(StructuresGroupTest, PagesOpenTheGroupOnlyWhenTheirOwnRulesAllow) {
  // Vol03 waits for a destination, Vol04 for its first include item.
  StructuresGroup& numbers = main->vol03.structures;
  EXPECT_FALSE(numbers.rdoFullPaths.Enabled());
  EXPECT_FALSE(numbers.btnImport.Click());
  MakeDir("D:\\Dest");
  main->vol03.ChooseDestination("D:\\Dest");
  EXPECT_TRUE(numbers.btnImport.Enabled());

  StructuresGroup& paths = main->vol04.structures;
  EXPECT_FALSE(paths.btnEdit.Enabled());
  main->vol04.lstVol04IncludeFolderList.Add("D:\\Dest");
  EXPECT_TRUE(paths.btnEdit.Enabled());
  main->vol04.lstVol04IncludeFolderList.Clear();
  EXPECT_FALSE(paths.btnEdit.Enabled());
  // The string page's group does not wait.
  EXPECT_TRUE(main->vol02.structures.btnImport.Enabled());
}

TEST_F(StructuresGroupTest, CopyPageModesWithFilesOpenSelectFilesAndNoteItOncePerMode) {
  StructuresGroup& g = main->vol08.structures;
  FileSelectionControls& files = main->vol08.files.controls;
  EXPECT_FALSE(files.select.Enabled()) << "templates: no file selection";
  ASSERT_TRUE(g.rdoFullPaths.Click());
  EXPECT_FALSE(files.select.Enabled()) << "mode 2";
  ASSERT_TRUE(g.rdoMainWithFiles.Click());
  EXPECT_TRUE(files.select.Enabled() && files.status.Enabled() && files.allSelected.Enabled());
  ASSERT_TRUE(g.rdoSubWithoutFiles.Click());
  EXPECT_FALSE(files.select.Enabled() || files.status.Enabled() || files.allSelected.Enabled());
  ASSERT_TRUE(g.rdoMainWithFiles.Click());
  ASSERT_TRUE(g.rdoSubWithFiles.Click());
  EXPECT_TRUE(files.select.Enabled());
  ASSERT_TRUE(g.rdoSubWithFiles.Click());
  ASSERT_TRUE(g.rdoRelativePaths.Click());
  EXPECT_FALSE(files.select.Enabled());

  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u) << "mode 1 once, mode 3 once";
  for (const UiCall& m : messages) {
    EXPECT_EQ(m.text, "You can Select File Names/Types by Clicking on the <Select Files> button.");
    EXPECT_EQ(m.caption, std::string(kVol08Level) + "Warning no: 0277.");
    EXPECT_EQ(m.messageKind, MessageKind::Warning);
  }
  // The create pages have no such note.
  ui->ClearCalls();
  ASSERT_TRUE(main->vol02.structures.rdoFullPaths.Click());
  ASSERT_TRUE(main->vol02.structures.rdoMainWithFiles.Click());
  EXPECT_TRUE(ui->Messages().empty());
}

// -------------------------------------------------------- Add and View

TEST_F(StructuresGroupTest, AddingTheSameFolderTwiceKeepsOneItemButACaseTwinIsAnotherFolder) {
  StructuresGroup& g = main->vol08.structures;
  ASSERT_TRUE(g.rdoFullPaths.Click());
  ui->folders = {"D:\\Src", " D:\\Src ", "D:\\src"};
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(g.btnAdd.Click());
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"D:\\Src", "D:\\src"}));
  EXPECT_EQ(g.sum.Caption(), "2");
  EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(StructuresGroupTest, APresentDriveRootAsksForTheEntireDiskWithEachPagesCaption) {
  StructuresGroup& g = main->vol08.structures;
  ASSERT_TRUE(g.rdoFullPaths.Click());
  ui->folders = {"D:\\", "D:\\"};
  ui->answers = {MessageAnswer::No, MessageAnswer::Yes};
  ASSERT_TRUE(g.btnAdd.Click());
  EXPECT_TRUE(g.list.Empty()) << "No adds nothing";
  ASSERT_TRUE(g.btnAdd.Click());
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"D:\\"}));
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text,
            "Do you want to COPY the Entire Disk to the Folders specified in The Include Window ?\nClick YES to "
            "Copy,\nClick NO to Cancel.");
  EXPECT_EQ(messages[0].caption, std::string(kVol08Level) + "Information no: 0330.");
  EXPECT_EQ(messages[0].messageKind, MessageKind::Question);

  // A drive that is not there, or a bare "D:", adds nothing and asks nothing.
  ui->ClearCalls();
  ui->folders = {"Q:\\", "D:"};
  ASSERT_TRUE(g.btnAdd.Click());
  ASSERT_TRUE(g.btnAdd.Click());
  EXPECT_EQ(g.list.Count(), 1u);
  EXPECT_TRUE(ui->Messages().empty());

  ui->folders = {"D:\\"};
  ui->answers = {MessageAnswer::No};
  main->vol03.structures.AddStructure("D:\\");
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-Increased Numbers.            Warning no: 0332.");
}

TEST_F(StructuresGroupTest, ACancelledBrowserWarnsAndTurnsTheRunButtonsOff) {
  StructuresGroup& g = main->vol02.structures;
  ASSERT_TRUE(g.rdoFullPaths.Click());
  std::vector<bool> runButtons;
  g.runButtons = [&](bool on) { runButtons.push_back(on); };
  ui->folders = {"", "D:\\Src"};
  ASSERT_TRUE(g.btnAdd.Click());
  const UiCall m = OnlyMessage();
  EXPECT_EQ(m.text, "The selection field is empty !\nAction : You must select a folder with subfolder structure.");
  EXPECT_EQ(m.caption, "Creating Folder(s).-From a String List.            Warning no: 0020.");
  ASSERT_TRUE(g.btnAdd.Click());
  EXPECT_EQ(runButtons, (std::vector<bool>{false, true}));
}

TEST_F(StructuresGroupTest, ViewSelectedOpensTheTrimmedFolderOrWarnsWithThePagesCaption) {
  StructuresGroup& g = main->vol04.structures;
  main->vol04.lstVol04IncludeFolderList.Add("D:\\Dest");
  ASSERT_TRUE(g.rdoFullPaths.Click());
  ASSERT_TRUE(g.btnView.Click());
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.text,
            "There is no selected Folder Structure !\nAction : You must select a Folder with subfolder structure.");
  EXPECT_EQ(m.caption, "Creating Folder(s).-From a Folder List.            Warning no: 0057.");
  g.list.SetItems({"D:\\a", " D:\\b "});
  g.list.SetSelected(1, true);
  ui->ClearCalls();
  ASSERT_TRUE(g.btnView.Click());
  ASSERT_EQ(ui->calls.size(), 1u);
  EXPECT_EQ(ui->calls[0].kind, "open_folder");
  EXPECT_EQ(ui->calls[0].text, "D:\\b");

  // Vol03's caption is tab-separated.
  main->vol03.structures.ViewSelectedClick();
  EXPECT_EQ(ui->Messages().back().caption, "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0086.");
}

// ------------------------------------------------------------------ Import

TEST_F(StructuresGroupTest, ATemplateImportWithADriveIsRefusedWholeAndTheListStaysAsItWas) {
  StructuresGroup& g = main->vol08.structures;
  g.list.SetItems({"\\Old"});
  ImportGives({"\\Customers\\One", "D:\\X"});
  ASSERT_TRUE(g.btnImport.Click());
  const UiCall m = OnlyMessage();
  EXPECT_EQ(m.caption, "Copy Folder Structure(s).-From a Folder List.            Warning no: 0385bc.");
  EXPECT_EQ(m.text.rfind("You can only enter relative paths without drive letters.\nThere are drive letters in paths "
                         "(total: 1",
                         0),
            0u)
      << m.text;
  EXPECT_NE(m.text.find("D:\\X"), std::string::npos);
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"\\Old"}));
}

TEST_F(StructuresGroupTest, ATemplateLineWithoutLeadingBackslashIsRefusedWithTheBackslashMessage) {
  StructuresGroup& g = main->vol02.structures;
  ImportGives({"\\Fine", "Customer"});
  ASSERT_TRUE(g.btnImport.Click());
  const UiCall m = OnlyMessage();
  EXPECT_EQ(m.caption, "Creating Folder(s).-From a String List.            Warning no: 0385bc.");
  EXPECT_EQ(m.text, "Error Type: There are paths not beginning with \\ (backslash) (total: 1) \nCustomer\n\n");
  EXPECT_TRUE(g.list.Empty());
}

TEST_F(StructuresGroupTest, FiveDriveLinesListThreeAndTheRestAsMoreLeft) {
  const ListCheckResult r = CheckStructureLines({"\\a", "C:\\1", "C:\\2", "C:\\3", "C:\\4", "C:\\5"},
                                                SourceKind::Templates, DriveSectionVariant::SmartImport);
  ASSERT_TRUE(r.fault);
  EXPECT_NE(r.message.find("(total: 5"), std::string::npos) << r.message;
  EXPECT_NE(r.message.find("C:\\3\n"), std::string::npos);
  EXPECT_EQ(r.message.find("C:\\4"), std::string::npos) << "only three listed";
  EXPECT_NE(r.message.find("\n2  more left"), std::string::npos) << r.message;
  // A drive line does not begin with "\" either: it is named in both sections.
  EXPECT_NE(r.message.find("paths not beginning with \\ (backslash) (total: 5) \n"), std::string::npos);
  EXPECT_NE(r.message.find("\n2  more left\n\n"), std::string::npos);
}

TEST_F(StructuresGroupTest, LineRulesOfEachKind) {
  // Structures need a drive; the edit window words it its own way.
  ListCheckResult r = CheckStructureLines({"D:\\ok", "\\rel"}, SourceKind::Structures, DriveSectionVariant::EditWindow);
  ASSERT_TRUE(r.fault);
  EXPECT_EQ(r.message.rfind("You can only enter full paths with drive letters.\nError Type: There are no drive letters "
                            "in paths (",
                            0),
            0u);
  EXPECT_EQ(r.message.find("backslash"), std::string::npos) << "no backslash rule for structures";
  // Illegal characters are refused for both kinds.
  r = CheckStructureLines({"\\a?b"}, SourceKind::Templates, DriveSectionVariant::EditWindow);
  ASSERT_TRUE(r.fault);
  EXPECT_NE(r.message.find("Syntax"), std::string::npos);
  // Blank lines are never taken, so they are never refused; "/" starts a line
  // as "\" does once normalised.
  EXPECT_FALSE(CheckStructureLines({"", "  ", "/a/b", "\\c"}, SourceKind::Templates, DriveSectionVariant::EditWindow)
                   .fault);
  EXPECT_FALSE(CheckStructureLines({"D:\\x", ""}, SourceKind::Structures, DriveSectionVariant::EditWindow).fault);
}

TEST_F(StructuresGroupTest, AnImportNormalisesAndAppendsOnlyNewNonBlankLines) {
  StructuresGroup& g = main->vol08.structures;
  g.list.SetItems({"\\Keep"});
  int changes = 0;
  g.changed = [&] { ++changes; };
  ImportGives({"/Projects//P1", "\\Keep", "   ", "\\Projects\\P1", "\\keep", "\\Two\\\\\\Levels"});
  ASSERT_TRUE(g.btnImport.Click());
  EXPECT_TRUE(ui->Messages().empty()) << ui->Messages().front().text;
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"\\Keep", "\\Projects\\P1", "\\keep", "\\Two\\Levels"}));
  EXPECT_EQ(g.sum.Caption(), "4");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(g.btnEdit.Enabled()) << "the kind's state is applied again";
}

TEST_F(StructuresGroupTest, AnEmptyImportWarnsAndACancelledOneTakesNothing) {
  StructuresGroup& g = main->vol03.structures;
  ImportGives({});
  g.ImportClick();
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.text, "Empty Result List in the File Import Window!\n");
  EXPECT_EQ(m.caption, "Creating Folder(s).- Increased Numbers.             Warning no: 0377b.");
  ui->ClearCalls();
  ImportGives({"\\a"}, ModalResult::Cancel);
  g.ImportClick();
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_TRUE(g.list.Empty());
  ui->ClearCalls();
  ImportGives({});
  main->vol08.structures.ImportClick();
  EXPECT_EQ(OnlyMessage().caption, std::string(kVol08Level) + "Warning no: 0401a.");
}

// -------------------------------------------------------------------- Edit

TEST_F(StructuresGroupTest, EditCancelKeepsTheListAndOkRefillsIt) {
  StructuresGroup& g = main->vol08.structures;
  g.list.SetItems({"\\A", "\\B"});
  std::vector<std::string> shown;
  ui->modalBlocks["TfrmFolderStructuresTemplates"] = [&](Window& w) {
    auto& editor = dynamic_cast<TfrmFolderStructuresTemplates&>(w);
    shown = editor.mmoEditFolderStructuresTemplates.Lines();
    EXPECT_EQ(editor.lblFolderStructuresTemplatesEditLinesCurrent.Caption(), "2");
    editor.mmoEditFolderStructuresTemplates.SetLines({"\\Z"});
    editor.btnFolderStructuresTemplatesCancel.Click();
    return ModalResult::None;
  };
  ASSERT_TRUE(g.btnEdit.Click());
  EXPECT_EQ(shown, (std::vector<std::string>{"\\A", "\\B"}));
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"\\A", "\\B"}));

  EditGives({"\\B", "", "/C//D", "\\B", "  \\E  "});
  ASSERT_TRUE(g.btnEdit.Click());
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"\\B", "\\C\\D", "\\E"}));
  EXPECT_EQ(g.sum.Caption(), "3");
  EXPECT_TRUE(app->FindAs<TfrmFolderStructuresTemplates>()->mmoEditFolderStructuresTemplates.Lines().empty())
      << "the editor lets go of the lines";
}

TEST_F(StructuresGroupTest, AFailedEditCheckLeavesTheListAndTheEditorOpen) {
  StructuresGroup& g = main->vol08.structures;
  g.list.SetItems({"\\A"});
  ModalResult after = ModalResult::Ok;
  ui->modalBlocks["TfrmFolderStructuresTemplates"] = [&](Window& w) {
    auto& editor = dynamic_cast<TfrmFolderStructuresTemplates&>(w);
    editor.mmoEditFolderStructuresTemplates.SetLines({"\\New", "C:\\Bad"});
    editor.btnFolderStructuresTemplatesOk.Click();
    after = editor.modalResult;
    return ModalResult::None;
  };
  ASSERT_TRUE(g.btnEdit.Click());
  EXPECT_EQ(after, ModalResult::None) << "the window stays open with what was typed";
  const UiCall m = OnlyMessage();
  EXPECT_EQ(m.caption, "Copy Folder Structure(s).-From a Folder List.            Warning no: 0383bc.");
  EXPECT_EQ(m.text.rfind("You can only enter relative paths without drive letters.\nError Type: There are drive "
                         "letters in paths (",
                         0),
            0u);
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"\\A"}));

  // The create pages' captions.
  ui->ClearCalls();
  EditGives({"nope"});
  main->vol02.structures.EditClick();
  EXPECT_EQ(OnlyMessage().caption, "Creating Folder(s).-From a String List.            Warning no: 0385bc.");
  ui->ClearCalls();
  main->vol04.structures.EditClick();
  EXPECT_EQ(OnlyMessage().caption, "Creating Folder(s).- From a Folder List - Level.            Warning no: 0385bc.");
}

TEST_F(StructuresGroupTest, EditOfStructuresTakesOnlyLinesWithADrive) {
  StructuresGroup& g = main->vol08.structures;
  ASSERT_TRUE(g.rdoFullPaths.Click());
  EditGives({"D:\\S1", "D:/S2//x", "D:\\S1"});
  g.EditClick();
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"D:\\S1", "D:\\S2\\x"}));
}

// ------------------------------------------------------ Delete and Export

TEST_F(StructuresGroupTest, DeleteSelectedAsksEachPagesQuestionAndRemovesOnlyOnYes) {
  StructuresGroup& g = main->vol03.structures;
  int changes = 0;
  g.changed = [&] { ++changes; };
  g.list.SetItems({"\\a", "\\b", "\\c", "\\d"});
  g.list.SetSelected(1, true);
  g.list.SetSelected(3, true);
  changes = 0;
  ui->answers = {MessageAnswer::No, MessageAnswer::Yes};
  g.DeleteSelClick();
  EXPECT_EQ(g.list.Count(), 4u);
  g.DeleteSelClick();
  EXPECT_EQ(g.list.Items(), (std::vector<std::string>{"\\a", "\\c"}));
  EXPECT_EQ(changes, 2) << "the statistics are recomputed in either case";
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "Do you want to delete selected folder(s) from the Exclude list ?");
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-Increased Numbers.\t\t\tWarning no: 0087.");
  EXPECT_EQ(messages[0].messageKind, MessageKind::Question);

  ui->ClearCalls();
  ui->answers = {MessageAnswer::No};
  main->vol08.structures.DeleteSelClick();
  EXPECT_EQ(OnlyMessage().text, "Do you want to delete the selected item(s) from the Exclude list ?");
}

TEST_F(StructuresGroupTest, DeletingManySelectedRowsOfALongListKeepsTheOthersInOrder) {
  StructuresGroup& g = main->vol08.structures;
  std::vector<std::string> items;
  for (int i = 0; i < 100000; ++i) items.push_back("\\t" + std::to_string(i));
  g.list.SetItems(items);
  for (std::size_t i = 0; i < items.size(); i += 2) g.list.SetSelected(i, true);
  ui->answers = {MessageAnswer::Yes};
  g.DeleteSelClick();
  ASSERT_EQ(g.list.Count(), 50000u);
  EXPECT_EQ(g.list.Item(0), "\\t1");
  EXPECT_EQ(g.list.Item(49999), "\\t99999");
  EXPECT_EQ(g.sum.Caption(), "50000");
}

TEST_F(StructuresGroupTest, DeleteAllWarnsOnAnEmptyListAndClearsOnYes) {
  StructuresGroup& g = main->vol04.structures;
  g.DeleteAllClick();
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.text, "Empty List in the Folder Structure/Templates Window!\n");
  EXPECT_EQ(m.caption, "Creating Folder(s).-From a Folder List..            Warning no: 0520a.");
  g.list.SetItems({"\\a"});
  ui->ClearCalls();
  ui->answers = {MessageAnswer::No, MessageAnswer::Yes};
  g.DeleteAllClick();
  EXPECT_EQ(g.list.Count(), 1u);
  g.DeleteAllClick();
  EXPECT_TRUE(g.list.Empty());
  EXPECT_EQ(ui->Messages()[0].text, "Do you want to delete all item(s) from the Folder Structure/Templates list ?");
  EXPECT_EQ(ui->Messages()[0].caption, "Creating Folder(s).-From a Folder List.            Warning no: 0521a.");
}

TEST_F(StructuresGroupTest, ExportHandsTheItemsToTheExportWindowAsStrings) {
  StructuresGroup& g = main->vol08.structures;
  g.ExportClick();
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.text, "The Folder Structure/Templates Window is empty !\n");
  EXPECT_EQ(m.caption, "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0560a.");
  g.list.SetItems({"\\a", "\\b"});
  std::string mode;
  std::vector<std::string> handed;
  ui->modalBlocks["TfrmFileExport"] = [&](Window&) {
    mode = app->fileExport->exportMode;
    handed = app->fileExport->lstFileExportSource.Items();
    return ModalResult::Close;
  };
  g.ExportClick();
  EXPECT_EQ(mode, "STRINGS");
  EXPECT_EQ(handed, (std::vector<std::string>{"\\a", "\\b"}));
}

// ------------------------------------------------------------ Clear Fields

TEST_F(StructuresGroupTest, ClearFieldsOfAPageEmptiesItsStructuresAndChoosesTemplatesAgain) {
  StructuresGroup& g = main->vol08.structures;
  ASSERT_TRUE(g.rdoFullPaths.Click());
  g.list.SetItems({"D:\\x"});
  ui->answers = {MessageAnswer::Yes};
  main->vol08.panel.ClearFields();
  EXPECT_TRUE(g.list.Empty());
  EXPECT_EQ(g.sum.Caption(), "");
  EXPECT_TRUE(g.rdoRelativePaths.Checked());
  for (RadioButton* mode : g.modes.Buttons()) EXPECT_FALSE(mode->Checked());
}

}  // namespace
}  // namespace quillory
