#include "lists/file_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/list_windows.h"
#include "lists/separator_windows.h"
#include "platform/text.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

const char* const kCorrupt = "There was a problem opening the file !\nAction : The file is maybe corrupted.";

class FileImportTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Start();
    w = app->fileImport;
    ui->ClearCalls();
  }

  // Browse with the dialog answering `path`.
  void Load(const std::string& path) {
    ui->files.push_back(path);
    ASSERT_TRUE(w->btnFileImportBrowse.Click());
  }
  void Build() { ASSERT_TRUE(w->btnFileImportFrom.Click()); }

  // Every message since the last check, as "caption|text".
  std::vector<std::string> TakeMessages() {
    std::vector<std::string> out;
    for (const UiCall& c : ui->Messages()) out.push_back(c.caption + "|" + c.text);
    ui->ClearCalls();
    return out;
  }

  TfrmFileImport* w = nullptr;
};

TEST_F(FileImportTest, LoadShowsNonBlankLinesCutTo2048CharactersAndEnablesTheWindow) {
  // Nothing loaded: only the file row and the window's own buttons work.
  EXPECT_TRUE(w->btnFileImportBrowse.Enabled());
  for (Control* c : std::initializer_list<Control*>{&w->btnFileImportFrom, &w->btnFileImportOk,
                                                     &w->rdoFileImportSeparatedFile, &w->udFileImportColumnNumber,
                                                     &w->cboFileImportDelimiter, &w->btnSmartImportPreviewEdit,
                                                     &w->btnSmartImportZoomOriginalFile, &w->lstFileImportResults})
    EXPECT_FALSE(c->Enabled()) << c->Name();
  EXPECT_FALSE(w->cboFileImportQuotationMark.Visible());

  std::string longLine;
  for (int i = 0; i < 3000; ++i) longLine += "\xc3\xa9";  // two bytes each
  MakeFile("D:\\in\\src.txt", "\xEF\xBB\xBF" "a\n\n \t \r\nb\r\n" + longLine + "\n");
  Load("D:\\in\\src.txt");
  ASSERT_EQ(w->lstFileImportSource.Count(), 3u);
  EXPECT_EQ(w->lstFileImportSource.Item(0), "a");
  EXPECT_EQ(w->lstFileImportSource.Item(1), "b");
  EXPECT_EQ(w->lstFileImportSource.Item(2).size(), 4096u);
  EXPECT_TRUE(IsValidUtf8(w->lstFileImportSource.Item(2)));
  EXPECT_EQ(w->lblFileImportSourceLines.Caption(), "3");
  EXPECT_EQ(w->edtFileImportFileName.Text(), "D:\\in\\src.txt");
  ASSERT_EQ(ui->calls.front().kind, "open_file");
  EXPECT_EQ(ui->calls.front().caption, "Import Folder Names (strings) from Files.");
  EXPECT_EQ(ui->calls.front().text, "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*");
  EXPECT_EQ(TakeMessages(), Items{"Import File content.            Information no: 0450.|End of the IMPORT process!"});
  EXPECT_TRUE(w->btnFileImportFrom.Enabled());
  EXPECT_TRUE(w->udFileImportColumnNumber.Enabled());
  EXPECT_TRUE(w->btnSmartImportPreviewEdit.Enabled());
  EXPECT_FALSE(w->btnFileImportOk.Enabled());

  // Cancel in the dialog changes nothing.
  Load("");
  EXPECT_EQ(w->lstFileImportSource.Count(), 3u);
  EXPECT_TRUE(TakeMessages().empty());

  // A file that cannot be opened keeps what is shown, name box included.
  Load("D:\\in\\missing.txt");
  EXPECT_EQ(TakeMessages(), Items{std::string("Import File content.            Warnings no: 0312.|") + kCorrupt});
  EXPECT_EQ(w->lstFileImportSource.Count(), 3u);
  EXPECT_EQ(w->edtFileImportFileName.Text(), "D:\\in\\src.txt");
}

TEST_F(FileImportTest, AFileThatIsNotTxtIsLoadedOnlyAfterYes) {
  MakeFile("D:\\list.CSV", "x;y\n");
  ui->answers = {MessageAnswer::No};
  Load("D:\\list.CSV");
  const std::string question =
      "Import File content.            Warnings no: 0311.|The file extension is not txt.\nMaybe it is not a plain "
      "text file. \nDo you want to select this file ?\nClick YES to Continue Selecting this file,\nClick NO to "
      "Stop the Select process.";
  EXPECT_EQ(TakeMessages(), Items{question});
  EXPECT_TRUE(w->lstFileImportSource.Empty());
  EXPECT_EQ(w->edtFileImportFileName.Text(), "");

  MakeFile("D:\\list.txt", "a\n");
  Load("D:\\list.txt");  // "TXT" in any case needs no question
  ui->answers = {MessageAnswer::Yes};
  Load("D:\\list.CSV");
  EXPECT_EQ(w->lstFileImportSource.Items(), Items{"x;y"});
  EXPECT_EQ(TakeMessages().size(), 3u);  // 0450, 0311, 0450
}

TEST_F(FileImportTest, PreviewCutsByKindAndKeepsOneOfEachItemCaseBlind) {
  MakeFile("D:\\p.txt", "  \"C:\\My Docs\"  \nX\nx\n\n a;;b; \n");
  Load("D:\\p.txt");
  TakeMessages();
  Build();
  EXPECT_EQ(w->lstFileImportResults.Items(), (Items{"C:\\My Docs", "X", "a;;b;"}));
  EXPECT_EQ(w->lblFileImportPreviewLines.Caption(), "3");
  EXPECT_TRUE(w->btnFileImportOk.Enabled());
  EXPECT_EQ(TakeMessages(), Items{"Import File content.            Information no: 0451.|End of the making FOLDER "
                                  "LIST process! (Preview)"});

  // Separated, all columns: choosing "separated" checks "All columns".
  ASSERT_TRUE(w->rdoFileImportSeparatedFile.Click());
  EXPECT_TRUE(w->rdoFileImportAllColumns.Checked());
  EXPECT_EQ(w->ChosenKind(), 4);
  w->cboFileImportDelimiter.UserSetText(";");
  Build();
  EXPECT_EQ(w->lstFileImportResults.Items(), (Items{"C:\\My Docs", "X", "a", "b"}));

  // One column; the number is read by its whole part and never below 1.
  MakeFile("D:\\c.txt", "a,b,c\nd\nA,B\n");
  Load("D:\\c.txt");
  ASSERT_TRUE(w->rdoFileImportOneColumn.Click());
  EXPECT_EQ(w->ChosenKind(), 5);
  w->cboFileImportDelimiter.UserSetText(",");
  w->edtFileImportColumnNumber.UserSetText("2.9");
  EXPECT_EQ(w->ColumnNumber(), 2);
  Build();
  EXPECT_EQ(w->lstFileImportResults.Items(), Items{"b"});
  for (const char* typed : {"0", "-4", "", "abc"}) {
    w->edtFileImportColumnNumber.UserSetText(typed);
    EXPECT_EQ(w->ColumnNumber(), 1) << typed;
  }
  Build();
  EXPECT_EQ(w->lstFileImportResults.Items(), (Items{"a", "d"}));

  // The arrows wrap at 1 and 100.
  w->edtFileImportColumnNumber.UserSetText("100");
  ASSERT_TRUE(w->udFileImportColumnNumber.Click(true));
  EXPECT_EQ(w->edtFileImportColumnNumber.Text(), "1");
  ASSERT_TRUE(w->udFileImportColumnNumber.Click(false));
  EXPECT_EQ(w->edtFileImportColumnNumber.Text(), "100");
}

TEST_F(FileImportTest, AFileGoneBeforeThePreviewIsReportedAndLosesNothing) {
  MakeFile("D:\\gone.txt", "a\nb\n");
  Load("D:\\gone.txt");
  Build();
  ASSERT_EQ(w->lstFileImportResults.Count(), 2u);
  ASSERT_EQ(::unlink(Host("D:\\gone.txt").c_str()), 0);
  TakeMessages();
  Build();
  EXPECT_EQ(TakeMessages(), Items{std::string("Import File content.            Warnings no: 0313.|") + kCorrupt});
  EXPECT_TRUE(w->lstFileImportResults.Empty());
  EXPECT_EQ(w->lstFileImportSource.Count(), 2u);
  EXPECT_FALSE(w->btnFileImportOk.Enabled());
}

TEST_F(FileImportTest, InvalidUtf8PassesThroughAndNulLinesAreRefusedByNumber) {
  const std::string odd = std::string("a\0b", 3);
  MakeFile("D:\\bin.txt", odd + "\n\xff\xfe name\n\x01\x02\n" + std::string("c\0", 2) + "\n");
  TakeMessages();
  Load("D:\\bin.txt");
  // A line of control characters only is blank.
  EXPECT_EQ(w->lstFileImportSource.Items(), (Items{"\xff\xfe name"}));
  const std::string refusal =
      "There are lines holding a NUL character in the file (total: 2)\nLine: 1\nLine: 4\n\nAction : Such a line "
      "can not be a name; it was left out.";
  Items messages = TakeMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Import File content.            Warnings no: 0312.|" + refusal);
  Build();
  EXPECT_EQ(w->lstFileImportResults.Items(), (Items{"\xff\xfe name"}));
  messages = TakeMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0], "Import File content.            Warnings no: 0313.|" + refusal);
}

TEST_F(FileImportTest, EditTakesTrimmedNormalisedNewLinesAndCancelKeepsThePreview) {
  MakeFile("D:\\e.txt", "a\nb\n");
  Load("D:\\e.txt");
  Build();
  TfrmEditSmartImport& editor = *app->FindAs<TfrmEditSmartImport>();
  std::string shownCount;
  ui->modalBlocks["TfrmEditSmartImport"] = [&](Window&) {
    shownCount = editor.lblEditSmartImportLinesCurrent.Caption();
    editor.mmoEditSmartImport.UserSetText("  x/y//z \nX\\Y\\Z\n\n \nnew");
    EXPECT_EQ(editor.lblEditSmartImportLinesCurrent.Caption(), "5");
    editor.btnEditSmartImportOk.Click();
    return ModalResult::None;
  };
  ASSERT_TRUE(w->btnSmartImportPreviewEdit.Click());
  EXPECT_EQ(shownCount, "2");
  EXPECT_EQ(w->lstFileImportResults.Items(), (Items{"x\\y\\z", "new"}));
  EXPECT_EQ(w->lblFileImportPreviewLines.Caption(), "2");
  EXPECT_TRUE(editor.mmoEditSmartImport.Lines().empty());
  EXPECT_EQ(ui->calls.back().answer, "OK");

  ui->modalBlocks["TfrmEditSmartImport"] = [&](Window&) {
    editor.mmoEditSmartImport.UserSetText("");
    editor.btnEditSmartImportCancel.Click();
    return ModalResult::None;
  };
  ASSERT_TRUE(w->btnSmartImportPreviewEdit.Click());
  EXPECT_EQ(w->lstFileImportResults.Items(), (Items{"x\\y\\z", "new"}));
  EXPECT_TRUE(editor.mmoEditSmartImport.Lines().empty());

  // An edit that leaves nothing disables IMPORT.
  ui->modalBlocks["TfrmEditSmartImport"] = [&](Window&) {
    editor.mmoEditSmartImport.UserSetText(" \n");
    editor.btnEditSmartImportOk.Click();
    return ModalResult::None;
  };
  ASSERT_TRUE(w->btnSmartImportPreviewEdit.Click());
  EXPECT_TRUE(w->lstFileImportResults.Empty());
  EXPECT_FALSE(w->btnFileImportOk.Enabled());
}

TEST_F(FileImportTest, EditOfMoreThan30000ItemsWarnsAndStaysOpen) {
  MakeFile("D:\\e.txt", "a\n");
  Load("D:\\e.txt");
  Build();
  TakeMessages();
  TfrmEditSmartImport& editor = *app->FindAs<TfrmEditSmartImport>();
  std::string text;
  for (int i = 0; i < 30001; ++i) text += "item" + std::to_string(i) + "\n";
  // Repeats beyond the limit are no further items.
  text += "ITEM5\n";
  bool openAfterOk = false;
  std::size_t previewAfterOk = 0;
  ui->modalBlocks["TfrmEditSmartImport"] = [&](Window& window) {
    editor.mmoEditSmartImport.UserSetText(text);
    editor.btnEditSmartImportOk.Click();
    openAfterOk = window.modalResult == ModalResult::None;
    previewAfterOk = w->lstFileImportResults.Count();
    EXPECT_EQ(editor.mmoEditSmartImport.Lines().size(), 30002u);
    editor.btnEditSmartImportCancel.Click();
    return ModalResult::None;
  };
  ASSERT_TRUE(w->btnSmartImportPreviewEdit.Click());
  EXPECT_TRUE(openAfterOk);
  EXPECT_EQ(previewAfterOk, 30000u);
  EXPECT_EQ(w->lstFileImportResults.Item(29999), "item29999");
  EXPECT_EQ(TakeMessages(), Items{"Edit Import Folders/Subfolders.            Warning no: 0297.|In this Version you "
                                  "can enter or load\nmaximum 30,000 Folders/Subfolders!\n\n"});

  // Exactly 30,000 pass.
  text.clear();
  for (int i = 0; i < 30000; ++i) text += "n" + std::to_string(i) + "\n";
  ui->modalBlocks["TfrmEditSmartImport"] = [&](Window&) {
    editor.mmoEditSmartImport.UserSetText(text);
    editor.btnEditSmartImportOk.Click();
    return ModalResult::None;
  };
  ASSERT_TRUE(w->btnSmartImportPreviewEdit.Click());
  EXPECT_EQ(w->lstFileImportResults.Count(), 30000u);
  EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(FileImportTest, ClearAllResetsEveryChoiceAndZoomShowsOneList) {
  MakeFile("D:\\z.txt", "a\nA\nb\n");
  Load("D:\\z.txt");
  Build();
  std::vector<Items> zoomed;
  ui->modalBlocks["TfrmZoomIncludeWindow"] = [&](Window&) {
    zoomed.push_back(app->FindAs<TfrmZoomIncludeWindow>()->lstZoomIncludeWindow.Items());
    return ModalResult::Close;
  };
  ASSERT_TRUE(w->btnSmartImportZoomOriginalFile.Click());
  ASSERT_TRUE(w->btnSmartImportZoomPreview.Click());
  ASSERT_EQ(zoomed.size(), 2u);
  EXPECT_EQ(zoomed[0], (Items{"a", "b"}));
  EXPECT_EQ(zoomed[1], (Items{"a", "b"}));

  w->rdoFileImportSeparatedFile.Click();
  w->rdoFileImportOneColumn.Click();
  w->edtFileImportColumnNumber.UserSetText("7");
  w->chkFileImportAbandonQMarks.Click();
  w->cboFileImportDelimiter.UserSelect(3);
  ASSERT_TRUE(w->btnFileImportClear.Click());
  EXPECT_EQ(w->edtFileImportFileName.Text(), "");
  EXPECT_TRUE(w->lstFileImportSource.Empty());
  EXPECT_TRUE(w->lstFileImportResults.Empty());
  EXPECT_EQ(w->lblFileImportSourceLines.Caption(), "0");
  EXPECT_EQ(w->lblFileImportPreviewLines.Caption(), "0");
  EXPECT_TRUE(w->rdoFileImportPlainText.Checked());
  EXPECT_EQ(w->ChosenKind(), 2);
  EXPECT_EQ(w->edtFileImportColumnNumber.Text(), "1");
  EXPECT_TRUE(w->chkFileImportAbandonQMarks.Checked());
  EXPECT_EQ(w->cboFileImportDelimiter.ItemIndex(), 0);
  EXPECT_EQ(w->cboFileImportDelimiter.Text(), ",");
  EXPECT_FALSE(w->btnFileImportFrom.Enabled());
  EXPECT_FALSE(w->btnFileImportOk.Enabled());
}

TEST_F(FileImportTest, BoxesComeFromTheStoreAndTheManageWindowsRefillThem) {
  EXPECT_EQ(w->cboFileImportDelimiter.Items().size(), 17u);
  EXPECT_EQ(w->cboFileImportDelimiter.Text(), ",");

  EXPECT_EQ(SeparatorBoxEntries({" ; ", "SPACE", ";", "", "Tab"}), (Items{";", "space", "tab"}));
  EXPECT_EQ(SeparatorBoxEntries({}), (Items{",", "\"", "'", "|", "~", ";", ":", "#", "&", "@", "$", "<", ">", ".",
                                           "-", "_", "space"}));

  TfrmDelimiters& delimiters = *app->delimiters;
  ui->modalBlocks["TfrmDelimiters"] = [&](Window&) {
    delimiters.btnDelimitersAllFromInc.Click();
    delimiters.edtDelimitersAdd.UserSetText("+");
    delimiters.btnDelimitersAdd.Click();
    delimiters.btnDelimitersClose.Click();
    return ModalResult::None;
  };
  ASSERT_TRUE(w->btnFileImportManageDelimiters.Click());
  EXPECT_EQ(w->cboFileImportDelimiter.Items(), Items{"+"});
  EXPECT_EQ(w->cboFileImportDelimiter.Text(), "+");

  // Closed without storing: the box is refilled from what is stored.
  ui->modalBlocks["TfrmQuotationMarks"] = [&](Window&) { return ModalResult::Cancel; };
  ASSERT_TRUE(w->btnFileImportManageQuotationMarks.Click());
  EXPECT_EQ(w->cboFileImportQuotationMark.Items().size(), 17u);
  EXPECT_EQ(w->cboFileImportQuotationMark.ItemIndex(), 0);
}

TEST_F(FileImportTest, ManyLinesLoadAndPreviewInBatchesWithOneOfEach) {
  // More lines than one batch of the lists holds (the benchmarks take the
  // measure of a million).
  std::string text;
  text.reserve(4 << 20);
  for (int i = 0; i < 60000; ++i) {
    text += (i % 2 ? "D:\\Folder" : "d:\\FOLDER") + std::to_string(i / 2) + "\n";
  }
  MakeFile("D:\\big.txt", text);
  Load("D:\\big.txt");
  EXPECT_EQ(w->lstFileImportSource.Count(), 60000u);
  Build();
  EXPECT_EQ(w->lstFileImportResults.Count(), 30000u);
  EXPECT_EQ(w->lblFileImportPreviewLines.Caption(), "30000");
  EXPECT_GT(ui->repaints, 0);
}

}  // namespace
}  // namespace quillory
