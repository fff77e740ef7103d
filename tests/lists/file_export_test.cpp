#include "lists/file_export.h"

#include <sys/mount.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "lists/list_panel.h"
#include "names/list_check.h"
#include "results/visual_logs.h"
#include "results/visual_log_windows.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

const char* const kSaveFailed = "There was a problem saving the file !\nAction : The file is maybe corrupted.";
const char* const kSaveFailedCaption = "Export Conrent to File.            Warning no: 0330.";
const char* const kFilterText = "Text Files (*.txt)|*.txt|Comma Separated (*.csv)|*.csv|All Files (*.*)|*.*";

class FileExportTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    window = app->fileExport;
    MakeDir("D:\\Out");
  }

  // Every message since the last check, as "caption|text".
  Items TakeMessages() {
    Items out;
    for (const UiCall& call : ui->Messages()) out.push_back(call.caption + "|" + call.text);
    ui->ClearCalls();
    return out;
  }

  int CallsOf(const std::string& kind) const {
    int n = 0;
    for (const UiCall& call : ui->calls) n += call.kind == kind;
    return n;
  }

  // Runs `act` inside the export window when the page's smart export shows it.
  void WhenShown(std::function<void(TfrmFileExport&)> act) {
    ui->modalBlocks["TfrmFileExport"] = [this, act](Window&) {
      act(*window);
      return ModalResult::None;
    };
  }

  static std::string Note() { return "Quillory Suite|End of the exporting process."; }
  static std::string SaveNote() { return "Quillory Suite|End of the saving process."; }

  TfrmFileExport* window = nullptr;
};

TEST_F(FileExportTest, PlainExportWritesThePageKindOfItemsOnePerLine) {
  ListPanel& p8 = main->vol08.panel;
  p8.include.AddMany({"C:\\A", "folder", " D:\\Ünï cødé ", "D:\\bad|name"});
  ui->files = {"D:\\Out\\v8.txt"};
  ASSERT_TRUE(p8.btnExportList.Click());
  // Untrimmed, UTF-8 without a mark, CR LF; the illegal character is no
  // concern of the plain export.
  EXPECT_EQ(ReadFile("D:\\Out\\v8.txt"), "C:\\A\r\n D:\\Ünï cødé \r\nD:\\bad|name\r\n");
  ASSERT_FALSE(ui->calls.empty());
  EXPECT_EQ(ui->calls[0].kind, "save_file");
  EXPECT_EQ(ui->calls[0].caption, "Export List");
  EXPECT_EQ(ui->calls[0].text, kFilterText);
  EXPECT_EQ(TakeMessages(), Items{SaveNote()});

  // The string page keeps what has no drive; duplicates stay as they stand.
  ListPanel& p2 = main->vol02.panel;
  p2.include.AddMany({"abc", "D:\\x", "ABC"});
  ui->files = {"D:\\Out\\v2.txt"};
  p2.btnExportList.Click();
  EXPECT_EQ(ReadFile("D:\\Out\\v2.txt"), "ABC\r\nabc\r\n");
  EXPECT_EQ(TakeMessages(), Items{SaveNote()});
}

TEST_F(FileExportTest, SmartExportSeparatedWithQuotesIsOneLineEndingInTheSeparator) {
  ListPanel& p2 = main->vol02.panel;
  p2.include.AddMany({"b", "a"});
  WhenShown([this](TfrmFileExport& w) {
    EXPECT_EQ(w.lstFileExportSource.Items(), (Items{"a", "b"}));
    EXPECT_EQ(w.lblSmartExportSource.Caption(), "2");
    EXPECT_FALSE(w.cboFileExportDelimiter.Enabled());
    w.rdoFileExportCSVSeparatedFile.Click();
    EXPECT_TRUE(w.cboFileExportDelimiter.Enabled());
    ASSERT_TRUE(w.cboFileExportDelimiter.UserSelect(w.cboFileExportDelimiter.IndexOf("space")));
    w.chkFileExportQuotationMarks.Click();
    ui->files = {"D:\\Out\\sep.csv"};
    w.btnFileExportTo.Click();
    EXPECT_EQ(w.lblSmartExportExported.Caption(), "2");
    w.btnFileExportClose.Click();
  });
  ASSERT_TRUE(p2.btnSmartExport.Click());
  EXPECT_EQ(ReadFile("D:\\Out\\sep.csv"), "\"a\" \"b\" ");
  ASSERT_EQ(CallsOf("save_file"), 1);
  for (const UiCall& call : ui->calls) {
    if (call.kind == "save_file") {
      EXPECT_EQ(call.caption, "Export Folder Names (strings) to a file.");
      EXPECT_EQ(call.text, kFilterText);
    }
    if (call.kind == "modal_end") {
      EXPECT_EQ(call.answer, "Close");
    }
  }
  EXPECT_EQ(TakeMessages(), Items{Note()});

  // Another separator, typed with blanks around it, and plain quoted output.
  window->cboFileExportDelimiter.SetText(" ; ");
  window->rdoFileExportCSVSeparatedFile.SetChecked(true);
  window->chkFileExportQuotationMarks.SetChecked(false);
  ui->files = {"D:\\Out\\semi.csv"};
  window->btnFileExportTo.Click();
  EXPECT_EQ(ReadFile("D:\\Out\\semi.csv"), "a;b;");
  window->rdoFileExportPlainTextFile.Click();
  EXPECT_FALSE(window->cboFileExportDelimiter.Enabled());
  window->chkFileExportQuotationMarks.SetChecked(true);
  ui->files = {"D:\\Out\\plain.txt"};
  window->btnFileExportTo.Click();
  EXPECT_EQ(ReadFile("D:\\Out\\plain.txt"), "\"a\"\r\n\"b\"\r\n");
}

TEST_F(FileExportTest, ItemFormFollowsTheRadiosAndTheMode) {
  ListPanel& p8 = main->vol08.panel;
  p8.include.AddMany({"C:\\Data", "D:\\Data", "bare", "c:\\data", "E:x:y"});
  WhenShown([this](TfrmFileExport& w) {
    // The folder page leaves out what has no drive and repeats.
    EXPECT_EQ(w.lstFileExportSource.Items(), (Items{"C:\\Data", "D:\\Data", "E:x:y"}));
    EXPECT_TRUE(w.rdoFileExportUnModified.Enabled());
    EXPECT_TRUE(w.rdoFileExportWithoutDriveLetter.Enabled());
    w.rdoFileExportWithoutDriveLetter.Click();
    EXPECT_EQ(w.lstFileExportSource.Items(), (Items{"\\Data", "x:y"}));
    EXPECT_EQ(w.lblSmartExportSource.Caption(), "2");
    ui->files = {"D:\\Out\\templates.txt"};
    w.btnFileExportTo.Click();
    w.rdoFileExportUnModified.Click();
    EXPECT_EQ(w.lstFileExportSource.Items(), (Items{"C:\\Data", "D:\\Data", "E:x:y"}));
    EXPECT_EQ(w.lblSmartExportSource.Caption(), "3");
    w.rdoFileExportWithoutDriveLetter.Click();
  });
  p8.btnSmartExport.Click();
  EXPECT_EQ(ReadFile("D:\\Out\\templates.txt"), "\\Data\r\nx:y\r\n");

  // The string page: form radios off, and the list is never cut at a colon
  // even though the templates radio was left checked.
  ListPanel& p2 = main->vol02.panel;
  p2.include.AddMany({"abc", "D:\\x", "ab:c"});
  WhenShown([](TfrmFileExport& w) {
    EXPECT_EQ(w.exportMode, "STRINGS");
    EXPECT_FALSE(w.rdoFileExportUnModified.Enabled());
    EXPECT_FALSE(w.rdoFileExportWithoutDriveLetter.Enabled());
    EXPECT_TRUE(w.rdoFileExportUnModified.Checked());
    EXPECT_EQ(w.lstFileExportSource.Items(), (Items{"ab:c", "abc"}));
  });
  p2.btnSmartExport.Click();

  // Back on a folder page the radios work again.
  WhenShown([](TfrmFileExport& w) {
    EXPECT_EQ(w.exportMode, "FOLDERS");
    EXPECT_TRUE(w.rdoFileExportWithoutDriveLetter.Enabled());
  });
  p8.btnSmartExport.Click();
  EXPECT_TRUE(window->Invoke("FormActivate"));
}

TEST_F(FileExportTest, IllegalCharacterStopsTheSmartExportButNotThePlainOne) {
  ListPanel& p4 = main->vol04.panel;
  p4.include.AddMany({"D:\\good", "D:\\a|b"});
  WhenShown([this](TfrmFileExport& w) {
    w.btnFileExportTo.Click();
  });
  p4.btnSmartExport.Click();
  EXPECT_EQ(CallsOf("save_file"), 0);
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].caption, "Export Content to a File.            Warning no: 0385bc.");
  EXPECT_EQ(messages[0].messageKind, MessageKind::Warning);
  EXPECT_NE(messages[0].text.find("Syntax Error:  |    D:\\a|b"), std::string::npos) << messages[0].text;
  EXPECT_EQ(ListDir("D:\\Out"), Items{});

  ui->ClearCalls();
  ui->files = {"D:\\Out\\plain.txt"};
  p4.btnExportList.Click();
  EXPECT_EQ(ReadFile("D:\\Out\\plain.txt"), "D:\\good\r\nD:\\a|b\r\n");
}

TEST_F(FileExportTest, EmptyIncludeListWarnsPerPageAndShowsNothing) {
  const Items captions = {
      "Creating Folder(s).-From a String List.            Warning no: 0556.",
      "Creating Folder(s).-From a Folder List.            Warning no: 0557.",
      "Rename Folder(s).-From a Folder List.             Warning no: 0558.",
      "Delete Folder(s).-From a Folder List.             Warning no: 0559.",
      "Copy Folder Structure(s).-From a Folder List - Level.             Warning no: 0560.",
  };
  const std::vector<ListPanel*> panels = main->Panels();
  ASSERT_EQ(panels.size(), captions.size());
  for (std::size_t i = 0; i < panels.size(); ++i) {
    SmartExportList(*panels[i], *ui, *window);
    EXPECT_EQ(TakeMessages(), Items{captions[i] + "|The Include List is empty !\n"}) << panels[i]->Key();
  }
  ListBox builder("lstBuilder");
  SmartExportBuilderList(builder, *ui, *window);
  EXPECT_EQ(TakeMessages(),
            Items{"SubFolder Level List Builder.             Warning no: 0584.|The Include Folder List is empty !\n"});
  EXPECT_EQ(CallsOf("modal"), 0);

  // The builder's list goes in whole, drive or not, each item once.
  builder.AddMany({"D:\\a", "rel", "d:\\A"});
  WhenShown([](TfrmFileExport& w) {
    EXPECT_EQ(w.exportMode, "FOLDERS");
    EXPECT_EQ(w.lstFileExportSource.Items(), (Items{"D:\\a", "rel"}));
    EXPECT_EQ(w.lstFileExportSource.ItemIndex(), 0);
  });
  SmartExportBuilderList(builder, *ui, *window);
  EXPECT_EQ(CallsOf("modal"), 1);
}

TEST_F(FileExportTest, CancelWritesNothingAndAnExistingFileIsReplacedWhole) {
  ListPanel& p6 = main->vol06.panel;
  p6.include.AddMany({"D:\\x"});
  ui->files = {""};
  p6.btnExportList.Click();
  WhenShown([this](TfrmFileExport& w) {
    ui->files = {""};
    w.btnFileExportTo.Click();
  });
  p6.btnSmartExport.Click();
  EXPECT_TRUE(TakeMessages().empty());
  EXPECT_EQ(ListDir("D:\\Out"), Items{});

  MakeFile("D:\\Out\\list.txt", "old content that is longer\r\n");
  ASSERT_EQ(::chmod(Host("D:\\Out\\list.txt").c_str(), 0640), 0);
  ui->files = {"D:\\Out\\list.txt"};
  p6.btnExportList.Click();
  EXPECT_EQ(ReadFile("D:\\Out\\list.txt"), "D:\\x\r\n");
  EXPECT_EQ(ListDir("D:\\Out"), Items{"list.txt"});  // no temporary file left
  struct stat st {};
  ASSERT_EQ(::stat(Host("D:\\Out\\list.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(TakeMessages(), Items{SaveNote()});
}

TEST_F(FileExportTest, FailuresWarnKeepThePreviousFileAndEndWithTheNote) {
  ListPanel& p6 = main->vol06.panel;
  p6.include.AddMany({"D:\\x"});
  const std::string pageFailure =
      "Rename Folders. - From a Folder List.            Warning no: 0197.|" + std::string(kSaveFailed);
  MakeDir("D:\\Out\\folder");
  MakeFile("D:\\Out\\locked.txt", "keep");
  ASSERT_EQ(::chmod(Host("D:\\Out\\locked.txt").c_str(), 0444), 0);
  // No drive for the letter, a folder, a missing folder, a read-only file.
  for (const char* path : {"Q:\\x.txt", "D:\\Out\\folder", "D:\\Out\\missing\\x.txt", "D:\\Out\\locked.txt"}) {
    ui->files = {path};
    p6.btnExportList.Click();
    EXPECT_EQ(TakeMessages(), (Items{pageFailure, SaveNote()})) << path;
  }
  EXPECT_EQ(ReadFile("D:\\Out\\locked.txt"), "keep");

  WhenShown([this](TfrmFileExport& w) {
    for (const char* path : {"Q:\\x.txt", "D:\\Out\\locked.txt"}) {
      ui->files = {path};
      w.btnFileExportTo.Click();
    }
  });
  p6.btnSmartExport.Click();
  const std::string smartFailure = std::string(kSaveFailedCaption) + "|" + kSaveFailed;
  EXPECT_EQ(TakeMessages(), (Items{smartFailure, Note(), smartFailure, Note()}));
  EXPECT_EQ(ReadFile("D:\\Out\\locked.txt"), "keep");
  EXPECT_EQ(ListDir("D:\\Out"), (Items{"folder", "locked.txt"}));
}

TEST_F(FileExportTest, ReadOnlyFolderKeepsThePreviousFile) {
  if (RunningAsRoot()) GTEST_SKIP() << "root writes into read-only folders";
  ListPanel& p6 = main->vol06.panel;
  p6.include.AddMany({"D:\\x"});
  const std::string pageFailure =
      "Rename Folders. - From a Folder List.            Warning no: 0197.|" + std::string(kSaveFailed);
  MakeFile("D:\\Ro\\list.txt", "previous");
  ASSERT_EQ(::chmod(Host("D:\\Ro").c_str(), 0555), 0);
  ui->files = {"D:\\Ro\\list.txt"};
  p6.btnExportList.Click();
  EXPECT_EQ(TakeMessages(), (Items{pageFailure, SaveNote()}));
  EXPECT_EQ(ReadFile("D:\\Ro\\list.txt"), "previous");
}

TEST_F(FileExportTest, ThePlainImportReadsBackWhatThePlainExportWrote) {
  const Items items = {"D:\\Über uns", "D:\\a b\\c", "E:\\x;y"};
  main->vol07.panel.include.AddMany(items);
  ui->files = {"D:\\Out\\round.txt"};
  main->vol07.panel.btnExportList.Click();
  ui->files = {"D:\\Out\\round.txt"};
  ui->answers = {MessageAnswer::No};  // keep what the list holds (nothing)
  main->vol06.panel.btnImportList.Click();
  EXPECT_EQ(main->vol06.panel.include.Items(), items);
}

TEST_F(FileExportTest, SeparatorBoxAndALongList) {
  // Filled from the stored list at start-up, first entry chosen.
  EXPECT_EQ(window->cboFileExportDelimiter.Items(), store->Separators());
  EXPECT_EQ(window->cboFileExportDelimiter.ItemIndex(), 0);
  store->SetSeparators({"space", "space", "", "|"});
  window->FillBoxes();
  EXPECT_EQ(window->cboFileExportDelimiter.Items(), (Items{"space", "|"}));
  EXPECT_EQ(window->cboFileExportDelimiter.Text(), "space");
  store->SetSeparators({});
  window->FillBoxes();
  EXPECT_EQ(window->cboFileExportDelimiter.Items(),
            (Items{",", "space", "\"", "'", "|", "~", ";", ":", "#", "&", "@", "$", "<", ">", ".", "-", "_"}));

  // Past the writer's chunk size: every item arrives, in order.
  Items items;
  std::string expected;
  for (int i = 0; i < 120000; ++i) {
    items.push_back("D:\\Folder number " + std::to_string(i));
    expected += items.back() + "\r\n";
  }
  ListPanel& p7 = main->vol07.panel;
  p7.include.AddMany(items);
  WhenShown([this](TfrmFileExport& w) {
    ui->files = {"D:\\Out\\long.txt"};
    w.btnFileExportTo.Click();
    EXPECT_EQ(w.lblSmartExportExported.Caption(), "120000");
  });
  const int repaints = ui->repaints;
  p7.btnSmartExport.Click();
  EXPECT_TRUE(ReadFile("D:\\Out\\long.txt") == expected);
  EXPECT_GT(ui->repaints, repaints);
}

TEST_F(FileExportTest, ItemsWithControlCharactersAreRefusedBeforeAnythingIsWritten) {
  // As the folder browser may bring them in: a line break, a carriage return
  // and a tab inside names that exist.
  const Items items = {"D:\\fine", "D:\\a\nb", "D:\\c\rd", "D:\\e\tf", "D:\\g\x01h"};
  const std::string refusal =
      "There are line breaks or other control characters in the items (total: 4)\nD:\\a\\nb\nD:\\c\\rd\n"
      "D:\\e\\tf\n\n1  more left\n\nAction : A list file would read them back as other items; nothing was "
      "exported.";
  MakeFile("D:\\Out\\old.txt", "previous");
  ListPanel& p4 = main->vol04.panel;
  p4.include.AddMany(items);
  ui->files = {"D:\\Out\\old.txt"};
  p4.btnExportList.Click();
  EXPECT_EQ(TakeMessages(),
            Items{"Creating Folder(s).-From a Folder List.            Warning no: 0052.|" + refusal});
  EXPECT_EQ(CallsOf("save_file"), 0);

  WhenShown([this](TfrmFileExport& w) { w.btnFileExportTo.Click(); });
  p4.btnSmartExport.Click();
  EXPECT_EQ(CallsOf("save_file"), 0);
  EXPECT_EQ(TakeMessages(), Items{"Export Content to a File.            Warning no: 0385bc.|" + refusal});

  // The Visual Log's lists export through the same window.
  main->visualLogs.AddResult(CopyList::FilesCopied, "D:\\x\ny.txt");
  app->statistic08->FindAs<Button>("btnStat08FilesCopiedExport")->Click();
  EXPECT_EQ(CallsOf("save_file"), 0);
  const Items messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_NE(messages[0].find("(total: 1)\nD:\\x\\ny.txt\n"), std::string::npos) << messages[0];
  EXPECT_EQ(ReadFile("D:\\Out\\old.txt"), "previous");

  // Only what the page would write counts: a string page leaves folders out.
  ListPanel& p2 = main->vol02.panel;
  p2.include.AddMany({"plain", "D:\\a\nb"});
  ui->files = {"D:\\Out\\strings.txt"};
  p2.btnExportList.Click();
  EXPECT_EQ(ReadFile("D:\\Out\\strings.txt"), "plain\r\n");

  // Typed into the edit window the items are refused by the list check.
  EXPECT_TRUE(CheckListSyntax({"D:\\a\nb"}).fault);
}

// A small file system of its own, so that the disk fills during a write.
class FullDiskExportTest : public FileExportTest {
 protected:
  void SetUp() override {
    FileExportTest::SetUp();
    if (!RunningAsRoot()) GTEST_SKIP() << "mounting a small file system needs root";
    MakeDir("D:\\Small");
    mounted_ = ::mount("tmpfs", Host("D:\\Small").c_str(), "tmpfs", 0, "size=16k") == 0;
    if (!mounted_) GTEST_SKIP() << "tmpfs cannot be mounted here";
  }
  void TearDown() override {
    if (mounted_) ::umount2(Host("D:\\Small").c_str(), MNT_DETACH);
    FileExportTest::TearDown();
  }

 private:
  bool mounted_ = false;
};

TEST_F(FullDiskExportTest, ExportedCounterShowsOnlyWhatReachedTheFile) {
  MakeFile("D:\\Small\\list.txt", "old");
  Items items;
  for (int i = 0; i < 30000; ++i) items.push_back("D:\\Folder " + std::to_string(i));
  ListPanel& p4 = main->vol04.panel;
  p4.include.AddMany(items);
  std::string exported;
  WhenShown([&](TfrmFileExport& w) {
    ui->files = {"D:\\Small\\list.txt"};
    w.btnFileExportTo.Click();
    exported = w.lblSmartExportExported.Caption();
  });
  p4.btnSmartExport.Click();
  EXPECT_EQ(TakeMessages(), (Items{std::string(kSaveFailedCaption) + "|" + kSaveFailed, Note()}));
  EXPECT_EQ(exported, "0");
  EXPECT_EQ(ReadFile("D:\\Small\\list.txt"), "old");
  EXPECT_EQ(ListDir("D:\\Small"), Items{"list.txt"});

  // A list that fits is counted whole.
  p4.include.SetItems({"D:\\a", "D:\\b"});
  p4.btnSmartExport.Click();
  EXPECT_EQ(exported, "2");
  EXPECT_EQ(ReadFile("D:\\Small\\list.txt"), "D:\\a\r\nD:\\b\r\n");
}

}  // namespace
}  // namespace quillory
