#include "lists/list_panel.h"

#include <gtest/gtest.h>

#include "lists/list_windows.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

class ListPanelTest : public PagesTest {
 protected:
  // The only message since the last check, as "caption|text".
  std::string LastMessage() {
    auto messages = ui->Messages();
    ui->ClearCalls();
    if (messages.empty()) return "(none)";
    return messages.back().caption + "|" + messages.back().text;
  }

  static void Select(ListBox& list, std::initializer_list<std::size_t> rows) {
    list.ClearSelection();
    for (std::size_t row : rows) {
      list.SetSelected(row, true);
      list.SetItemIndex(static_cast<long>(row));
    }
  }
};

TEST_F(ListPanelTest, MovesKeepOneCopyAndFolderPagesDropNamesWithoutDrive) {
  ListPanel& p8 = main->vol08.panel;
  p8.include.AddMany({"D:\\a", "bare", "D:\\b"});
  p8.exclude.AddMany({"d:\\A"});
  Select(p8.include, {0, 1, 2});
  p8.btnIncToExc.Click();
  EXPECT_TRUE(p8.include.Empty());
  EXPECT_EQ(p8.exclude.Items(), (Items{"d:\\A", "D:\\b"}));
  EXPECT_EQ(main->vol08.lblVol08IncludeSum.Caption(), "0");
  EXPECT_EQ(main->vol08.lblVol08ExcludeSum.Caption(), "2");

  // Vol04 has no drive condition.
  ListPanel& p4 = main->vol04.panel;
  p4.include.AddMany({"bare", "D:\\x"});
  Select(p4.include, {0});
  p4.btnIncToExc.Click();
  EXPECT_EQ(p4.include.Items(), Items{"D:\\x"});
  EXPECT_EQ(p4.exclude.Items(), Items{"bare"});

  // Move all back, and two selected items equal but for case arrive once.
  p4.exclude.AddMany({"D:\\Y", "d:\\y", "d:\\X"});
  p4.btnAllFromExc.Click();
  EXPECT_EQ(p4.include.Items(), (Items{"D:\\x", "bare", "D:\\Y"}));
  EXPECT_TRUE(p4.exclude.Empty());
  EXPECT_EQ(main->vol04.lblVol04IncludeSum.Caption(), "3");
}

TEST_F(ListPanelTest, ExchangeSwapsWithoutRepeats) {
  ListPanel& p = main->vol06.panel;
  p.include.AddMany({"D:\\A", "D:\\B"});
  p.exclude.AddMany({"D:\\B", "D:\\C"});
  p.btnExchange.Click();
  EXPECT_EQ(p.include.Items(), (Items{"D:\\B", "D:\\C"}));
  EXPECT_EQ(p.exclude.Items(), (Items{"D:\\A", "D:\\B"}));
  EXPECT_EQ(main->vol06.lblVol06IncludeSum.Caption(), "2");
  EXPECT_EQ(main->vol06.lblVol06ExcludeSum.Caption(), "2");
}

TEST_F(ListPanelTest, StringPageAddsTrimmedNormalisedSortedAndRefusesWhatItMust) {
  ListPanel& p = main->vol02.panel;
  Edit& edit = *p.edtAddToList;
  const std::string cap = "Creating Folder(s).-From a String List.            Warning no: ";

  edit.UserSetText("  zeta  ");
  edit.PressEnter();
  EXPECT_EQ(edit.Text(), "zeta");
  edit.UserSetText("a/b//c");
  p.btnAdd.Click();
  edit.UserSetText("Beta");
  p.btnAdd.Click();
  EXPECT_EQ(p.include.Items(), (Items{"a\\b\\c", "Beta", "zeta"}));
  EXPECT_EQ(main->vol02.lblVol02IncludeSum.Caption(), "3");
  EXPECT_EQ(LastMessage(), "(none)");
  EXPECT_EQ(main->vol02.lblVol02StartFolder.Caption(), "D:\\Dest\\a\\b\\c");

  edit.UserSetText("   ");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0004.|The text field is empty !\nAction : You must enter a different name to add to "
                                 "the Include List.");
  edit.UserSetText("ZETA");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0005.|This item already exists in the Include list !");
  // Normalising must not let a second spelling of a name in.
  edit.UserSetText("a\\b/c");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0005.|This item already exists in the Include list !");
  p.exclude.Add("gone");
  edit.UserSetText("Gone");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0006.|This item already exists in the Exclude list !");
  edit.UserSetText("C:\\x");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(),
            "Creating Folder(s).-From a String List.          Warning no: 0007.|This item is a Folder Name (with drive "
            "letter) !\nAction : You must enter a string without a drive letter !!!");
  edit.UserSetText(" a?b* ");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0008.|Illegal character in the Text :  ? *");
  EXPECT_EQ(edit.Text(), "a?b");
  EXPECT_EQ(p.include.Count(), 3u);
}

TEST_F(ListPanelTest, TypedFullPathsStopAtTheFirstFailure) {
  ListPanel& p = main->vol04.panel;
  Edit& edit = *p.edtAddToList;
  const std::string cap = "Creating Folder(s).-From a Folder List.            Warning no: ";

  edit.UserSetText("c:\\data  D:\\x\\\\y");
  edit.PressEnter();
  EXPECT_EQ(p.include.Items(), (Items{"c:\\data", "D:\\x\\y"}));
  EXPECT_EQ(edit.Text(), "c:\\data  D:\\x\\y");
  // A slash is not part of a typed full path.
  edit.UserSetText("D:/x");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0044.|Illegal characters in the text :  /");
  EXPECT_EQ(LastMessage(), "(none)");
  EXPECT_TRUE(main->vol04.edtVol04Prefix.Enabled());

  edit.UserSetText("D:\\new C:\\Data D:\\later");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0044.|This item already exists in the Include list !");
  EXPECT_EQ(p.include.Items(), (Items{"c:\\data", "D:\\x\\y", "D:\\new"}));
  EXPECT_EQ(edit.Text(), "D:\\new C:\\Data D:\\later");  // unchanged after a failure

  edit.UserSetText("   ");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0042.|The text field is empty !!!");
  edit.UserSetText("D:\\a :b");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage().rfind(cap + "0043.|", 0), 0u);
  edit.UserSetText("D:\\a|b");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0044.|Illegal characters in the text :  |");

  // Without interactive mode failing paths are skipped.
  ListBox include("i"), exclude("e");
  exclude.Add("D:\\skip");
  AddFullPathsResult r = AddFullPathsToInclude(include, exclude, "D:\\one D:\\skip D:\\two", false, Drives());
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.reason, "This item already exists in the Exclude list !");
  EXPECT_EQ(include.Items(), (Items{"D:\\one", "D:\\two"}));
}

TEST_F(ListPanelTest, BrowsedFoldersAndTheMethodRadios) {
  ListPanel& p = main->vol07.panel;
  EXPECT_TRUE(main->FindAs<RadioButton>("rdoVol07MakeListSelector")->Checked());
  EXPECT_FALSE(p.btnAdd.Enabled());  // only the manual method adds by browsing
  p.rdoAddToListManually->Click();
  ASSERT_TRUE(p.btnAdd.Enabled());

  const std::string cap = "Delete Folder structure(s).-From a Folder List.            Warning no: ";
  ui->folders = {"D:\\Dest", "d:\\dest", "", "D:\\"};
  p.btnAdd.Click();
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0220.|This folder exists in the INCLUDE FOLDER LIST !!!");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), cap + "0219.|The selection field is empty !!!");
  p.btnAdd.Click();
  EXPECT_EQ(LastMessage(), "Delete Folder(s).-From a Folder List.            Warning no: 0334.|You can not Enter a "
                           "drive without Folder(s)!\nSo You can not Delete the Entire drive.");
  EXPECT_EQ(p.include.Items(), Items{"D:\\Dest"});

  p.rdoMakeListImport->Click();
  EXPECT_FALSE(p.btnAdd.Enabled());

  // Vol08 takes a bare drive.
  main->vol08.panel.rdoAddToListManually->Click();
  ui->folders = {"D:\\"};
  main->vol08.panel.btnAdd.Click();
  EXPECT_EQ(main->vol08.panel.include.Items(), Items{"D:\\"});
}

TEST_F(ListPanelTest, DeletingFromTheExcludeListAsksFirst) {
  ListPanel& p = main->vol06.panel;
  p.btnDeleteFromExclude.Click();
  EXPECT_EQ(LastMessage(), "Rename folders. - From a Folder List.            Warning no: 0199.|The EXCLUDE list is empty "
                           "!\nAction : You must enter at least one FOLDER to the EXCLUDE list to delete it.\n");
  p.btnDeleteExcludeAll.Click();
  EXPECT_EQ(LastMessage(), "Rename Folder(s).-From a Folder List - Level.            Warning no: 0524.|Empty List in "
                           "the Exclude Window!\n");

  p.exclude.AddMany({"D:\\a", "D:\\b", "D:\\c"});
  ui->answers = {MessageAnswer::Yes};
  p.btnDeleteFromExclude.Click();  // nothing selected
  EXPECT_EQ(p.exclude.Count(), 3u);
  Select(p.exclude, {0, 2});
  ui->answers = {MessageAnswer::No};
  p.btnDeleteFromExclude.Click();
  EXPECT_EQ(p.exclude.Count(), 3u);
  ui->ClearCalls();
  ui->answers = {MessageAnswer::Yes};
  p.btnDeleteFromExclude.Click();
  EXPECT_EQ(LastMessage(), "Rename Folders. - From a Folder List.            Warning no: 0198.|Do you want to delete "
                           "the selected item(s) from the Exclude list ?\nNote: You can delete ONLY from the EXCLUDE "
                           "list.\n");
  EXPECT_EQ(p.exclude.Items(), Items{"D:\\b"});
  ui->answers = {MessageAnswer::Yes};
  p.btnDeleteExcludeAll.Click();
  EXPECT_TRUE(p.exclude.Empty());
  EXPECT_EQ(main->vol06.lblVol06ExcludeSum.Caption(), "0");

  main->vol02.panel.btnDeleteFromExclude.Click();
  EXPECT_EQ(LastMessage(), "Creating Folder(s).-From a String List.            Warning no: 0144.|The EXCLUDE list is "
                           "empty !\nAction : You must enter at least one STRING to the EXCLUDE list to delete it.\n");
}

TEST_F(ListPanelTest, EditListChecksTheWholeMemoOnOk) {
  ListPanel& p = main->vol08.panel;
  p.include.AddMany({"D:\\one"});
  p.exclude.AddMany({"D:\\excluded"});
  std::vector<std::string> shown;
  // A bad line keeps the window open; mending it lets OK through.
  ui->modalBlocks["TfrmVol08EditIncludeList"] = [&](Window& w) {
    auto& editor = static_cast<EditIncludeListWindow&>(w);
    shown = editor.memo.Lines();
    EXPECT_EQ(editor.lblLinesSum.Caption(), "1");
    editor.memo.UserSetText("D:\\one\nno drive\n\nD:/two//x\nd:\\ONE\nD:\\excluded");
    EXPECT_EQ(editor.lblLinesSum.Caption(), "6");
    editor.btnOk.Click();
    EXPECT_EQ(editor.modalResult, ModalResult::None);
    EXPECT_EQ(editor.memo.Lines().size(), 6u);
    editor.memo.UserSetText("D:\\one\nD:/two//x  \nd:\\ONE\nD:\\excluded");
    editor.btnOk.Click();
    EXPECT_TRUE(editor.memo.Lines().empty());
    return editor.modalResult;
  };
  p.btnEditIncludeList.Click();
  EXPECT_EQ(shown, Items{"D:\\one"});
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Copy Folder Structure(s).-From a Folder List.          Warning no: 0383bc.");
  EXPECT_EQ(p.include.Items(), (Items{"D:\\one", "D:\\two\\x"}));
  EXPECT_EQ(main->vol08.lblVol08IncludeSum.Caption(), "2");

  // Cancel leaves the list alone.
  ui->modalBlocks["TfrmVol08EditIncludeList"] = [&](Window& w) {
    auto& editor = static_cast<EditIncludeListWindow&>(w);
    editor.memo.UserSetText("D:\\other");
    editor.btnCancel.Click();
    EXPECT_TRUE(editor.memo.Lines().empty());
    return editor.modalResult;
  };
  p.btnEditIncludeList.Click();
  EXPECT_EQ(p.include.Items(), (Items{"D:\\one", "D:\\two\\x"}));

  // On the string page blank lines drop out, and blanks only empty the list.
  ListPanel& p2 = main->vol02.panel;
  p2.include.AddMany({"x", "y"});
  ui->ClearCalls();
  ui->modalBlocks["TfrmVol02EditIncludeList"] = [&](Window& w) {
    auto& editor = static_cast<EditIncludeListWindow&>(w);
    editor.memo.UserSetText("\n  \n");
    editor.btnOk.Click();
    return editor.modalResult;
  };
  p2.btnEditIncludeList.Click();
  EXPECT_TRUE(p2.include.Empty());
  EXPECT_TRUE(ui->Messages().empty());
}

TEST_F(ListPanelTest, ViewSelectedZoomAndClearFields) {
  ListPanel& p = main->vol08.panel;
  p.btnViewSelected->Click();
  EXPECT_EQ(LastMessage(), "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0278.|There is "
                           "no selected Folder Structure !\nAction : You must select a Folder with subfolder "
                           "structure.");
  p.include.AddMany({" D:\\Dest ", "D:\\b"});
  Select(p.include, {0});
  p.btnViewSelected->Click();
  EXPECT_EQ(ui->calls.back().kind, "open_folder");
  EXPECT_EQ(ui->calls.back().text, "D:\\Dest");

  // The zoom window shows the current page's list only.
  auto* zoom = app->FindAs<TfrmZoomIncludeWindow>();
  main->vol06.panel.include.Add("D:\\elsewhere");
  main->vol06.panel.btnZoom.Click();
  ui->ClearCalls();
  p.btnZoom.Click();
  ASSERT_FALSE(ui->calls.empty());
  EXPECT_EQ(ui->calls.front().kind, "modal");
  EXPECT_EQ(ui->calls.front().caption, "TfrmZoomIncludeWindow");
  EXPECT_EQ(zoom->lstZoomIncludeWindow.Items(), (Items{" D:\\Dest ", "D:\\b"}));

  p.exclude.Add("D:\\c");
  p.rdoAddToListManually->Click();
  ui->ClearCalls();
  ui->answers = {MessageAnswer::No};
  p.btnClearAll.Click();
  EXPECT_EQ(p.include.Count(), 2u);
  EXPECT_TRUE(p.rdoAddToListManually->Checked());
  ui->answers = {MessageAnswer::Yes};
  p.btnClearAll.Click();
  EXPECT_TRUE(p.include.Empty());
  EXPECT_TRUE(p.exclude.Empty());
  EXPECT_TRUE(p.rdoMakeListSelector->Checked());
  EXPECT_FALSE(p.btnAdd.Enabled());
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].caption,
            "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0287.");
  EXPECT_EQ(messages[2].text, "End of the CLEAR FIELDS process !!!\n");
  EXPECT_EQ(messages[2].caption, "Copy Folder Structure(s).-From a Folder List Level.           Warning no: 0288.");
  EXPECT_EQ(messages[2].messageKind, MessageKind::Warning);
}

TEST_F(ListPanelTest, ClearFieldsOfTheCreatePages) {
  TfrmMain& m = *main;
  m.vol02.panel.edtAddToList->UserSetText("abc");
  m.vol02.panel.btnAdd.Click();
  m.vol02.edtVol02Prefix.UserSetText("P");
  ui->answers = {MessageAnswer::Yes};
  m.vol02.panel.btnClearAll.Click();
  EXPECT_TRUE(m.vol02.lstVol02IncludeStrings.Empty());
  EXPECT_EQ(m.vol02.panel.edtAddToList->Text(), "");
  EXPECT_EQ(m.vol02.edtVol02Prefix.Text(), "");
  EXPECT_TRUE(m.vol02.chkVol02Hyphen.Checked());
  EXPECT_FALSE(m.vol02.lstVol02IncludeStrings.Enabled());  // back to needing a destination
  EXPECT_EQ(m.vol02.cboVol02DestFolders.Text(), "D:\\Dest");
  auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].caption, "Creating Folder(s).-From a String List.            Information no: 0033.");
  EXPECT_EQ(messages[1].messageKind, MessageKind::Information);

  ui->ClearCalls();
  m.vol04.panel.include.Add("D:\\x");
  ui->answers = {MessageAnswer::Yes};
  m.vol04.panel.btnClearAll.Click();
  EXPECT_FALSE(m.vol04.edtVol04Prefix.Enabled());
  messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-From a Folder List.            Information no: 0064");
  EXPECT_EQ(messages[1].caption, "Creating Folder(s).-From a Folder List.           Warning no: 0065.");

  ui->ClearCalls();
  m.vol03.edtVol03StartNumber.SetText("7");
  ui->answers = {MessageAnswer::Yes};
  m.vol03.btnVol03ClearAll.Click();
  EXPECT_EQ(m.vol03.edtVol03StartNumber.Text(), "1");
  messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].text, "End of the CLEAR FIELDS process !!!");
  EXPECT_EQ(messages[1].caption, "Creating Folder(s).-Increased Numbers.            Information no: 0084.");
}

TEST_F(ListPanelTest, TypedHostPathsEnterTheFolderListInProgramForm) {
  ListPanel& p = main->vol04.panel;
  Edit& edit = *p.edtAddToList;
  edit.UserSetText(Host("D:\\Clients") + "/Acme");
  edit.PressEnter();
  EXPECT_EQ(p.include.Items(), (Items{"D:\\Clients\\Acme"}));
  EXPECT_EQ(edit.Text(), "D:\\Clients\\Acme");
  EXPECT_EQ(LastMessage(), "(none)");
  edit.UserSetText("file://" + Host("D:\\") + "/My%20Docs");
  edit.PressEnter();
  EXPECT_EQ(p.include.Items(), (Items{"D:\\Clients\\Acme", "D:\\My Docs"}));
  // The same folder typed either way is one item.
  edit.UserSetText(Host("D:\\Clients\\Acme"));
  edit.PressEnter();
  EXPECT_EQ(p.include.Count(), 2u);
  EXPECT_NE(LastMessage(), "(none)");
}

}  // namespace
}  // namespace quillory
