#include "lists/list_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "lists/file_import.h"
#include "lists/list_panel.h"
#include "names/list_check.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

const char* const kEndNote = "Quillory Suite|End of the loading process.";
const std::string kRepeatQuestionVol02 =
    "Creating Folder(s).-From a String List.             Warning no: 0141b.|There may be more items in the file "
    "that already exist in the Include or Exclude window!\nClick YES to skip them without asking\nClick NO  to show "
    "this warning for each of them";
const std::string kRepeatQuestionFolders =
    "Creating Folder(s).-From a Folder List.             Warning no: 0138b.|There may be more folders in the file "
    "that already exist in the Include or Exclude window!\nClick YES to skip them without asking\nClick NO  to show "
    "this warning for each of them";

class ListImportTest : public PagesTest {
 protected:
  // The smart import with the window closed by `result` over `preview`.
  void SmartImport(ListPanel& panel, const Items& preview, ModalResult result) {
    TfrmFileImport& window = *app->fileImport;
    window.lstFileImportResults.SetItems(preview);
    ui->modalBlocks["TfrmFileImport"] = [result](Window&) { return result; };
    SmartImportList(panel, *ui, window);
  }

  // The plain import of a file written with `contents`.
  void PlainImport(ListPanel& panel, const std::string& contents, std::deque<MessageAnswer> answers,
                   const std::string& path = "D:\\list.txt") {
    MakeFile(path, contents);
    ui->files.push_back(path);
    ui->answers = std::move(answers);
    ASSERT_TRUE(panel.btnImportList.Click());
    EXPECT_TRUE(ui->answers.empty()) << "questions left unasked";
  }

  std::vector<std::string> TakeMessages() {
    std::vector<std::string> out;
    for (const UiCall& c : ui->Messages()) out.push_back(c.caption + "|" + c.text);
    ui->ClearCalls();
    return out;
  }
};

TEST_F(ListImportTest, SmartImportTakesNewItemsWithThePageRules) {
  // Empty preview, however the window closed.
  SmartImport(main->vol02.panel, {}, ModalResult::Ok);
  EXPECT_EQ(TakeMessages(), Items{"Creating Folder(s).-From a String List.             Warning no: 0377.|Empty "
                                  "Result List in the File Import Window!\n"});

  // Cancel takes nothing and says nothing.
  SmartImport(main->vol02.panel, {"a"}, ModalResult::Cancel);
  EXPECT_TRUE(main->vol02.panel.include.Empty());
  EXPECT_TRUE(TakeMessages().empty());

  // Vol02 normalises and sorts; what either list holds stays out.
  ListPanel& p2 = main->vol02.panel;
  p2.include.Add("X");
  p2.exclude.Add("gone");
  SmartImport(p2, {"z/y//w", "x", "GONE", "b"}, ModalResult::Ok);
  EXPECT_EQ(p2.include.Items(), (Items{"b", "X", "z\\y\\w"}));
  EXPECT_EQ(main->vol02.lblVol02IncludeSum.Caption(), "3");
  EXPECT_TRUE(TakeMessages().empty());

  // Vol06 drops items of three characters or fewer.
  ListPanel& p6 = main->vol06.panel;
  p6.exclude.Add("D:\\Out");
  SmartImport(p6, {"D:\\", "D:\\ab", "D:\\abc", "d:\\out", "D:\\Keep"}, ModalResult::Ok);
  EXPECT_EQ(p6.include.Items(), (Items{"D:\\ab", "D:\\abc", "D:\\Keep"}));
  SmartImport(p6, {"D:\\", "D:x"}, ModalResult::Ok);
  EXPECT_EQ(p6.include.Items(), (Items{"D:\\ab", "D:\\abc", "D:\\Keep"}));
}

TEST_F(ListImportTest, SmartImportListCheckFaultTakesNothing) {
  const Items preview = {"D:\\a", "NoDrive", "D:\\b"};
  SmartImport(main->vol08.panel, preview, ModalResult::Ok);
  EXPECT_TRUE(main->vol08.panel.include.Empty());
  const ListCheckResult check = CheckList(preview, ListMode::Folders, DriveSectionVariant::SmartImport);
  ASSERT_TRUE(check.fault);
  EXPECT_NE(check.message.find("NoDrive"), std::string::npos);
  EXPECT_EQ(TakeMessages(), Items{"Copy Folder Structure(s).-From a Folder List. - From a Folder List.            "
                                  "Warning no: 0383bc.|" +
                                  check.message});

  // A string page refuses drives.
  SmartImport(main->vol02.panel, {"C:\\x"}, ModalResult::Ok);
  EXPECT_TRUE(main->vol02.panel.include.Empty());
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-From a String List.            Warning no: 0385bc.");
}

TEST_F(ListImportTest, PlainImportAsksAboutOtherExtensionsAndReportsUnreadableFiles) {
  ListPanel& p2 = main->vol02.panel;
  PlainImport(p2, "a\n", {MessageAnswer::No}, "D:\\list.csv");
  EXPECT_TRUE(p2.include.Empty());
  ASSERT_FALSE(ui->calls.empty());
  ASSERT_EQ(ui->calls.front().kind, "open_file");
  EXPECT_EQ(ui->calls.front().caption, "Import List");
  EXPECT_EQ(ui->calls.front().text, "Text files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*");
  EXPECT_EQ(TakeMessages(),
            Items{"Creating Folder(s).-From a String List.            Information no: 0012.|The file extension is not "
                  "a txt.\nMaybe it is not a plain text file. \nDo you want to open this file ?\nClick YES to "
                  "continue Loading this file,\nClick NO to Stop the Loading process."});

  // A folder (not a file) cannot be opened: no clear question, the note.
  MakeDir("D:\\dir.txt");
  ui->files.push_back("D:\\dir.txt");
  ASSERT_TRUE(main->vol07.panel.btnImportList.Click());
  ASSERT_FALSE(ui->calls.empty());
  EXPECT_EQ(ui->calls.front().text, "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*");
  EXPECT_EQ(TakeMessages(), (Items{"Delete Folder(s).-From a Folder List.             Warning no: 0226.|There was a "
                                   "problem opening the file !\nAction : The file is maybe corrupted.",
                                   kEndNote}));

  // Cancel in the dialog: nothing at all.
  ui->files.push_back("");
  ASSERT_TRUE(p2.btnImportList.Click());
  EXPECT_TRUE(TakeMessages().empty());

  // An empty file: the clear question and the note.
  p2.include.Add("keep");
  PlainImport(p2, "", {MessageAnswer::No});
  EXPECT_EQ(p2.include.Items(), Items{"keep"});
  EXPECT_EQ(TakeMessages().back(), "Quillory Suite|End of the Loading process.");
}

TEST_F(ListImportTest, PlainImportOnTheStringPageWarnsPerDuplicateAndAsksAboutDrivesOnce) {
  ListPanel& p2 = main->vol02.panel;
  p2.include.Add("old");
  p2.exclude.Add("Ex");
  PlainImport(p2, "old\n  new  \nNEW\nex\n\n\t\nC:\\drive\n\\\\srv\\share\\x\nlast\n",
              {MessageAnswer::No, MessageAnswer::No, MessageAnswer::Yes});
  EXPECT_EQ(p2.include.Items(), (Items{"last", "new", "old"}));
  EXPECT_EQ(p2.exclude.Items(), Items{"Ex"});
  EXPECT_EQ(main->vol02.lblVol02IncludeSum.Caption(), "3");
  const std::string inInclude =
      "Creating Folder(s).-From a String List.             Warning no: 0141.|This item already exists in the Include "
      "window !\n";
  EXPECT_EQ(TakeMessages(),
            (Items{"Creating Folder(s).-From a String List.            Information no: 0014.|Do you want to clear the "
                   "previous content of the INCLUDE window ?\nClick YES to clear the previous content,\nClick NO to "
                   "leave it.",
                   inInclude, kRepeatQuestionVol02, inInclude,
                   "Creating Folder(s).-From a String List.             Warning no: 0142.|This item already exists in "
                   "the Exclude window !\n",
                   "reating Folder(s).-From a String List.             Warning no: 0143.|There is a drive letter in "
                   "the string!\nClick YES to continue without asking\nClick NO  to Clear the INCULDE Window and quit "
                   "the Import process",
                   "Quillory Suite|End of the Loading process."}));

  // Yes to the clear question empties the include list only.
  PlainImport(p2, "fresh\n", {MessageAnswer::Yes});
  EXPECT_EQ(p2.include.Items(), Items{"fresh"});
  EXPECT_EQ(p2.exclude.Items(), Items{"Ex"});
}

TEST_F(ListImportTest, PlainImportOnFolderPagesFollowsTheirDriveRules) {
  // Vol08: No to the drive question empties the include list and ends at once.
  ListPanel& p8 = main->vol08.panel;
  p8.include.Add("D:\\before");
  PlainImport(p8, "D:\\a\nbare\nD:\\b\n", {MessageAnswer::No, MessageAnswer::No});
  EXPECT_TRUE(p8.include.Empty());
  auto messages = TakeMessages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1], "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0272.|There "
                         "is no drive letter !\nClick YES to continue without asking\nClick NO  to Clear the INCULDE "
                         "Window and quit the Import process");

  // Yes skips that line and every later one without a drive, silently; a
  // drive the machine lacks is skipped too.
  PlainImport(p8, "D:\\a\nbare\nQ:\\absent\nother\nD:\\b\n\\\\nosrv\\share\\x\n",
              {MessageAnswer::No, MessageAnswer::Yes});
  EXPECT_EQ(p8.include.Items(), (Items{"D:\\a", "D:\\b"}));
  EXPECT_EQ(TakeMessages().size(), 3u);

  // Vol04: absent drives silently skipped, a mapped share taken, short paths kept.
  Drives().SetShare("\\\\srv\\share", RootC());
  ListPanel& p4 = main->vol04.panel;
  PlainImport(p4, "Q:\\x\nD:\\y\n\\\\srv\\share\\z\nD:\\\n", {MessageAnswer::No});
  EXPECT_EQ(p4.include.Items(), (Items{"D:\\y", "\\\\srv\\share\\z", "D:\\"}));
  EXPECT_EQ(TakeMessages().back(), kEndNote);

  // Vol06 and Vol07 take absent drives but no text of three characters or fewer.
  ListPanel& p7 = main->vol07.panel;
  PlainImport(p7, "D:\\\nD:\nQ:\\x\nD:\\y\n", {MessageAnswer::No});
  EXPECT_EQ(p7.include.Items(), (Items{"Q:\\x", "D:\\y"}));
  TakeMessages();
  PlainImport(p7, "d:\\Y\n", {MessageAnswer::No});
  EXPECT_EQ(TakeMessages()[1], "Delete Folder(s).-From a Folder List.             Warning no: 0231.|This folder "
                               "already exists in the Include window !\n");
}

TEST_F(ListImportTest, PlainImportRefusesNulLinesByNumberAndKeepsOtherBytes) {
  ListPanel& p2 = main->vol02.panel;
  const std::string nul = std::string("a\0b", 3);
  // A NUL at a line's end would vanish in the trim and pass for "x".
  PlainImport(p2, nul + "\n\xff\xfe\n\x01\n" + std::string("x\0", 2) + "\nok\n", {MessageAnswer::No});
  EXPECT_EQ(p2.include.Items(), (Items{"ok", "\xff\xfe"}));
  const Items messages = TakeMessages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1],
            "Creating Folder(s).-From a String List.            Warning no: 0013.|There are lines holding a NUL "
            "character in the file (total: 2)\nLine: 1\nLine: 4\n\nAction : Such a line can not be a name; it was "
            "left out.");
  EXPECT_EQ(messages[2], "Quillory Suite|End of the Loading process.");

  // More than three: the first three by number, the rest counted.
  std::string many;
  for (int i = 0; i < 5; ++i) many += std::string("n\0", 2) + "\n";
  PlainImport(main->vol04.panel, "D:\\keep\n" + many, {MessageAnswer::No});
  EXPECT_EQ(main->vol04.panel.include.Items(), Items{"D:\\keep"});
  EXPECT_NE(TakeMessages()[1].find("(total: 5)\nLine: 2\nLine: 3\nLine: 4\n\n2  more left\n"), std::string::npos);
}

TEST_F(ListImportTest, PlainImportDecodesUtf16FilesWithTheirMark) {
  // "D:\Äa" and "D:\b" as UTF-16 LE, then as BE, CR LF line ends.
  const std::u16string text = u"\uFEFFD:\\\u00C4a\r\nD:\\b\r\n";
  std::string le;
  std::string be;
  for (char16_t u : text) {
    le += static_cast<char>(u & 0xFF), le += static_cast<char>(u >> 8);
    be += static_cast<char>(u >> 8), be += static_cast<char>(u & 0xFF);
  }
  PlainImport(main->vol07.panel, le, {MessageAnswer::No});
  EXPECT_EQ(main->vol07.panel.include.Items(), (Items{"D:\\\xC3\x84" "a", "D:\\b"}));
  PlainImport(main->vol06.panel, be, {MessageAnswer::No});
  EXPECT_EQ(main->vol06.panel.include.Items(), (Items{"D:\\\xC3\x84" "a", "D:\\b"}));
  EXPECT_EQ(TakeMessages().back(), kEndNote);
}

TEST_F(ListImportTest, TheRepeatQuestionComesWithTheSecondRepeatBeforeItsWarning) {
  ListPanel& p4 = main->vol04.panel;
  p4.include.Add("D:\\a");
  p4.exclude.Add("D:\\x");
  const std::string file = "d:\\A\nD:\\new\nD:\\X\nD:\\NEW\nD:\\a\nD:\\last\n";
  const std::string inInclude =
      "Creating Folder(s).-From a Folder List.             Warning no: 0138.|This folder already exists in the "
      "Include window !\n";
  const std::string inExclude =
      "Creating Folder(s).-From a Folder List.             Warning no: 0139.|This folder already exists in the "
      "Exclude window !\n";

  // Yes: the first warning, the question when the second repeat is met, then
  // silence (the second included) and the count of every repeat in the note.
  PlainImport(p4, file, {MessageAnswer::No, MessageAnswer::Yes});
  EXPECT_EQ(p4.include.Items(), (Items{"D:\\a", "D:\\new", "D:\\last"}));
  ASSERT_EQ(ui->Messages().size(), 4u);
  EXPECT_EQ(ui->Messages()[2].messageKind, MessageKind::Question);
  Items messages = TakeMessages();
  EXPECT_EQ(messages[1], inInclude);
  EXPECT_EQ(messages[2], kRepeatQuestionFolders);
  EXPECT_EQ(messages[3], "Quillory Suite|End of the loading process.\n\nLines skipped as already existing items: 4");

  // No: every repeat warned about, the question asked only once, the note
  // as it always was.
  p4.include.SetItems({"D:\\a"});
  PlainImport(p4, file, {MessageAnswer::No, MessageAnswer::No});
  EXPECT_EQ(p4.include.Items(), (Items{"D:\\a", "D:\\new", "D:\\last"}));
  EXPECT_EQ(TakeMessages(), (Items{messages[0], inInclude, kRepeatQuestionFolders, inExclude, inInclude, inInclude,
                                   kEndNote}));

  // A single repeat: its warning, and no question about more.
  p4.include.SetItems({"D:\\a"});
  PlainImport(p4, "D:\\b\nD:\\a\nD:\\c\n", {MessageAnswer::No});
  EXPECT_EQ(p4.include.Items(), (Items{"D:\\a", "D:\\b", "D:\\c"}));
  EXPECT_EQ(TakeMessages(), (Items{messages[0], inInclude, kEndNote}));
}

TEST_F(ListImportTest, ManyRepeatsLeaveTheSameListWhateverTheAnswer) {
  // 100,000 lines, 40% of them case variants of earlier lines.
  std::string text;
  for (int i = 0; i < 100000; ++i) {
    if (i % 5 >= 3)
      text += "ITEM" + std::to_string(i - 3) + "\n";
    else
      text += "item" + std::to_string(i) + "\n";
  }
  PlainImport(main->vol02.panel, text, {MessageAnswer::No, MessageAnswer::Yes});
  const Items silent = main->vol02.panel.include.Items();
  const Items messages = TakeMessages();
  ASSERT_EQ(messages.size(), 4u);
  EXPECT_EQ(messages[3],
            "Quillory Suite|End of the Loading process.\n\nLines skipped as already existing items: 40000");

  ui->answers = {MessageAnswer::No, MessageAnswer::No};
  MakeFile("D:\\list.txt", text);
  ui->files.push_back("D:\\list.txt");
  main->vol02.panel.include.Clear();
  ASSERT_TRUE(main->vol02.panel.btnImportList.Click());
  EXPECT_EQ(main->vol02.panel.include.Items(), silent);
  EXPECT_EQ(ui->Messages().size(), 40000u + 3u);
  EXPECT_EQ(silent.size(), 60000u);
  EXPECT_TRUE(std::is_sorted(silent.begin(), silent.end(),
                             [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }));
}

TEST_F(ListImportTest, PlainImportOfManyLinesKeepsTheSortedOrderAcrossBatches) {
  std::string text;
  text.reserve(4 << 20);
  for (int i = 0; i < 60000; ++i) text += "s" + std::to_string(i) + "\n";
  // The string page keeps its list sorted: the costly case.
  PlainImport(main->vol02.panel, text, {MessageAnswer::No});
  EXPECT_EQ(main->vol02.panel.include.Count(), 60000u);
  EXPECT_EQ(main->vol02.lblVol02IncludeSum.Caption(), "60000");
  EXPECT_EQ(main->vol02.panel.include.Item(0), "s0");
  EXPECT_EQ(main->vol02.panel.include.Item(1), "s1");
  EXPECT_EQ(main->vol02.panel.include.Item(2), "s10");
}

}  // namespace
}  // namespace quillory
