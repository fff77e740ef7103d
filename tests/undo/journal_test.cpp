// The undo journal: a run's record survives the program's end, a journal cut
// short gives back its whole records, and one that cannot be read is set
// aside without losing anything else.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"
#include "undo/run_journal.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class JournalRestartTest : public PagesTest {
 protected:
  void Click(Button& button, std::vector<MessageAnswer> answers = {MessageAnswer::Yes}) {
    ui->ClearCalls();
    for (MessageAnswer a : answers) ui->answers.push_back(a);
    EXPECT_TRUE(button.Click()) << button.Name() << " is disabled";
  }
  Paths Captions() {
    Paths out;
    for (const UiCall& m : ui->Messages()) out.push_back(m.caption);
    return out;
  }
  // The program closed and started again over the same working folder.
  void Restart() {
    main->FormClose();
    main = &Start();
  }
  std::string Journal(const char* page) { return ReadFile(std::string("D:\\default.undo\\") + page + ".journal"); }
  void WriteJournal(const char* page, const std::string& bytes) {
    MakeFile(std::string("D:\\default.undo\\") + page + ".journal", bytes);
  }
};

TEST_F(JournalRestartTest, ACreateRunIsUndoneAfterARestart) {
  MakeFile("D:\\S\\in\\f.txt", "data");
  MakeDir("D:\\Dest\\mine");
  CreateFromStringsPage& page = main->vol02;
  page.structures.SourceKindClick(SourceKind::Structures);
  page.structures.AttachModeClick(AttachMode::MainWithFiles);
  page.structures.list.SetItems({"D:\\S"});
  page.lstVol02IncludeStrings.SetItems({"a", "b\\deep", "mine"});
  page.Refresh();
  Click(page.btnCreateFolders);
  ASSERT_TRUE(IsFile("D:\\Dest\\b\\deep\\S\\in\\f.txt"));
  const CreateRecords before = page.records;

  Restart();
  CreateFromStringsPage& again = main->vol02;
  EXPECT_EQ(again.records.createdMainFolders, before.createdMainFolders);
  EXPECT_EQ(again.records.madeMainFolders, before.madeMainFolders);
  EXPECT_EQ(again.records.attached.madeFolders, before.attached.madeFolders);
  EXPECT_EQ(again.records.attached.copiedFileIds, before.attached.copiedFileIds);
  EXPECT_EQ(again.attachKind, SourceKind::Structures);
  EXPECT_EQ(again.lastRunDestination, "D:\\Dest\\");
  EXPECT_TRUE(Captions().empty());  // nothing to say at start

  Click(again.btnUndo);
  EXPECT_EQ(Captions(), (Paths{"Creating Folder(s).-From a String List.            Information no: 0029.",
                               "Creating Folder(s).-From a String List.            Information no: 0031."}));
  EXPECT_EQ(ListDir("D:\\Dest"), (Paths{"mine"}));  // the folder there before stays
  EXPECT_TRUE(IsFile("D:\\S\\in\\f.txt"));
  // The journal holds what is left: nothing, after this restart too.
  EXPECT_EQ(Journal("Vol02"), std::string(kJournalVersionLine) + "\npage\tVol02\nattach\tF\ndestination\tD:\\Dest\\\n");
  Restart();
  Click(main->vol02.btnUndo, {});
  EXPECT_EQ(Captions(), (Paths{"Creating Folder(s).-From a String List.            Warning no: 0028."}));
}

TEST_F(JournalRestartTest, WhatAnUndoCouldNotTakeAwayIsRetriedAfterARestart) {
  MakeFile("D:\\S\\f.txt", "abc");
  MakeDir("D:\\T");
  CopyPage& copy = main->vol08;
  copy.structures.SourceKindClick(SourceKind::Structures);
  copy.structures.AttachModeClick(AttachMode::MainWithFiles);
  copy.structures.list.SetItems({"D:\\S"});
  copy.include.SetItems({"D:\\T"});
  copy.Refresh();
  Click(copy.btnVol08CopyFolders);
  ASSERT_TRUE(IsFile("D:\\T\\S\\f.txt"));

  // A file the person put in the copied folder after the run.
  Restart();
  MakeFile("D:\\T\\S\\new.txt", "mine");
  Click(main->vol08.btnVol08Undo);
  EXPECT_FALSE(IsFile("D:\\T\\S\\f.txt"));
  EXPECT_TRUE(IsDir("D:\\T\\S"));
  EXPECT_EQ(main->vol08.failedUndoFolders, (Paths{"D:\\T\\S"}));

  Restart();
  EXPECT_EQ(main->vol08.failedUndoFolders, (Paths{"D:\\T\\S"}));
  ::unlink(Host("D:\\T\\S\\new.txt").c_str());
  Click(main->vol08.btnVol08Undo);
  EXPECT_FALSE(IsDir("D:\\T\\S"));
  EXPECT_TRUE(IsDir("D:\\T"));
  EXPECT_TRUE(main->vol08.failedUndoFolders.empty());
}

TEST_F(JournalRestartTest, RenamesGoBackAfterARestartWithNothingInTheList) {
  MakeDir("D:\\R\\A\\B");
  RenamePage& rename = main->vol06;
  rename.include.SetItems({"D:\\R\\A", "D:\\R\\A\\B"});
  rename.Refresh();
  rename.edtVol06NewPrefix.UserSetText("X");
  Click(rename.btnVol06RenameFolders);
  ASSERT_TRUE(IsDir("D:\\R\\XA\\XB"));

  Restart();
  EXPECT_EQ(main->vol06.RenameRecord.size(), 2u);
  EXPECT_TRUE(main->vol06.include.Empty());
  Click(main->vol06.btnVol06Undo);
  EXPECT_EQ(Captions(), (Paths{"Rename Folder(s).-From a Folder List.            Information no: 0212.",
                               "Rename Folder(s).-From a Folder List.            Information no: 0214."}));
  EXPECT_TRUE(IsDir("D:\\R\\A\\B"));
  EXPECT_EQ(ListDir("D:\\R"), (Paths{"A"}));
}

TEST_F(JournalRestartTest, ASimulationNeverTouchesTheJournal) {
  CreateFromStringsPage& page = main->vol02;
  page.structures.SourceKindClick(SourceKind::Nothing);
  page.lstVol02IncludeStrings.SetItems({"a"});
  page.Refresh();
  Click(page.btnCreateFolders);
  const std::string written = Journal("Vol02");
  ASSERT_NE(written.find("main\tD:\\Dest\\a\n"), std::string::npos);
  page.lstVol02IncludeStrings.SetItems({"b", "c"});
  page.Refresh();
  Click(page.btnCreateFoldersSimulation);
  EXPECT_EQ(Journal("Vol02"), written);
}

TEST_F(JournalRestartTest, AnUnreadableJournalIsSetAsideAndNamedAndTheOthersStillLoad) {
  MakeDir("D:\\R\\A");
  RenamePage& rename = main->vol06;
  rename.include.SetItems({"D:\\R\\A"});
  rename.Refresh();
  rename.edtVol06NewPrefix.UserSetText("X");
  Click(rename.btnVol06RenameFolders);
  main->FormClose();
  WriteJournal("Vol02", "this is not a journal\n\x01\x02");
  WriteJournal("Vol08", std::string(kJournalVersionLine) + "\npage\tVol08\nmade\tnot-a-number\t1\tD:\\T\n");
  main = &Start();

  const std::vector<UiCall> messages = ui->Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].caption, "Creating Folder(s).-From a String List.            Warning no: 0620.");
  EXPECT_EQ(messages[0].text,
            "The UNDO record of the last run cannot be read !!!\nIt is kept as :\n"
            "./default.undo/Vol02.journal.unreadable\n\nThe last run of this page cannot be undone.");
  EXPECT_EQ(messages[1].caption,
            "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0620.");
  EXPECT_EQ(ReadFile("D:\\default.undo\\Vol02.journal.unreadable"), "this is not a journal\n\x01\x02");
  EXPECT_FALSE(IsFile("D:\\default.undo\\Vol02.journal"));
  EXPECT_TRUE(main->vol02.records.createdMainFolders.empty());
  // The rename page's journal was fine.
  EXPECT_EQ(main->vol06.RenameRecord.size(), 1u);

  // A second one finds the first name taken.
  WriteJournal("Vol02", "garbage again");
  main = &Start();
  EXPECT_EQ(ReadFile("D:\\default.undo\\Vol02.journal.unreadable-2"), "garbage again");
  EXPECT_EQ(ReadFile("D:\\default.undo\\Vol02.journal.unreadable"), "this is not a journal\n\x01\x02");
}

TEST_F(JournalRestartTest, AJournalOfAnotherPageOrVersionIsNotTaken) {
  WriteJournal("Vol03", std::string(kJournalVersionLine) + "\npage\tVol02\nmain\tD:\\Dest\\a\n");
  WriteJournal("Vol04", "Quillory Suite undo journal\t9\npage\tVol04\n");
  main = &Start();
  EXPECT_EQ(Captions(), (Paths{"Creating Folder(s).-Increased Numbers.            Warning no: 0620.",
                               "Creating Folder(s).- From a Folder List.            Warning no: 0620."}));
  EXPECT_TRUE(main->vol03.records.createdMainFolders.empty());
  EXPECT_TRUE(IsFile("D:\\default.undo\\Vol03.journal.unreadable"));
}

// One long item, a structure of many files copied into one folder, reaches
// the journal while it is copied, not only when the item ends.
class JournalStepTest : public AppTest {
 protected:
  FaultFileSystem fs;
};

TEST_F(JournalStepTest, ALongItemReachesTheJournalAsItGoes) {
  for (int i = 0; i < 600; ++i) MakeFile("D:\\S\\file " + std::to_string(i) + ".txt", "x");
  MakeDir("D:\\T");
  app.reset();
  ui = std::make_unique<ScriptedUi>();
  store = std::make_unique<SettingsStore>();
  app = std::make_unique<Application>(*ui, *store, fs);
  CopyPage& copy = app->main->vol08;
  copy.structures.SourceKindClick(SourceKind::Structures);
  copy.structures.AttachModeClick(AttachMode::MainWithFiles);
  copy.structures.list.SetItems({"D:\\S"});
  copy.include.SetItems({"D:\\T"});
  copy.Refresh();
  std::string during;
  int files = 0;
  fs.onCall = [&](FsOp op, std::string_view) {
    if (op == FsOp::CreateFileAt && ++files == 590) during = ReadFile("D:\\default.undo\\Vol08.journal");
  };
  ui->answers.push_back(MessageAnswer::Yes);
  ASSERT_TRUE(copy.btnVol08CopyFolders.Click());
  ASSERT_EQ(copy.records.copiedFileIds.size(), 600u);
  EXPECT_NE(during.find("\nwritten\t"), std::string::npos);
  // And the whole record at the end.
  fs.onCall = nullptr;
  const std::string after = ReadFile("D:\\default.undo\\Vol08.journal");
  std::size_t written = 0;
  for (std::size_t at = after.find("\nwritten\t"); at != std::string::npos; at = after.find("\nwritten\t", at + 1))
    ++written;
  EXPECT_EQ(written, 600u);
}

// A journal that cannot be started leaves no older run's journal to be
// read at the next start in its place.
class RefusingFileSystem : public FaultFileSystem {
 public:
  bool refuse = false;
  std::unique_ptr<AppendingFile> StartAppending(std::string_view path, std::string_view head,
                                                FsResult* failure) override {
    if (!refuse) return FaultFileSystem::StartAppending(path, head, failure);
    if (failure != nullptr) *failure = {FsError::NoSpace, "full"};
    return nullptr;
  }
};

class JournalRefusedTest : public AppTest {
 protected:
  RefusingFileSystem fs;
  TfrmMain& StartOn() {
    app.reset();
    ui = std::make_unique<ScriptedUi>();
    store = std::make_unique<SettingsStore>();
    app = std::make_unique<Application>(*ui, *store, fs);
    return *app->main;
  }
  void RunStrings(TfrmMain& main, Paths items) {
    main.vol02.lstVol02IncludeStrings.SetItems(std::move(items));
    main.vol02.Refresh();
    ui->answers.push_back(MessageAnswer::Yes);
    ASSERT_TRUE(main.vol02.btnCreateFolders.Click());
  }
};

TEST_F(JournalRefusedTest, AnOlderRunsJournalIsNotTakenForTheLastRun) {
  MakeDir("D:\\Dest");
  TfrmMain* main = &StartOn();
  main->vol02.ChooseDestination("D:\\Dest");
  main->vol02.structures.SourceKindClick(SourceKind::Nothing);
  RunStrings(*main, {"old"});
  fs.refuse = true;
  RunStrings(*main, {"new"});
  EXPECT_TRUE(main->vol02.journal.Failed());
  fs.refuse = false;
  main = &StartOn();
  EXPECT_TRUE(main->vol02.records.createdMainFolders.empty());
  EXPECT_TRUE(IsFile("D:\\default.undo\\Vol02.journal.stale"));
  ui->answers.push_back(MessageAnswer::Yes);
  main->vol02.btnUndo.Click();
  EXPECT_TRUE(IsDir("D:\\Dest\\old"));
}

// ---- the journal on its own lists ----

class JournalFileTest : public WorkingFolderTest {
 protected:
  struct Record {
    std::optional<SourceKind> attach;
    std::string destination;
    TextList main;
    Paths folders, files;
    MadeFolderList madeMain;
    MadeFolders made, failed;
    std::vector<WrittenFile> written;
  };
  static JournalLists ListsOf(Record& r) {
    JournalLists lists;
    lists.attachKind = &r.attach;
    lists.destination = &r.destination;
    lists.mainFolders = &r.main;
    lists.madeMainFolders = &r.madeMain;
    lists.folders = &r.folders;
    lists.madeFolders = &r.made;
    lists.files = &r.files;
    lists.writtenFiles = &r.written;
    lists.failedFolders = &r.failed;
    return lists;
  }
  // The journal in ./j read back into `back`, as a restart reads it.
  static JournalLoad LoadInto(Record& back) {
    RunJournal reader(HostFileSystem(), PageKey::Vol02, ListsOf(back));
    reader.SetFolder("./j");
    return reader.Load();
  }
  static void ExpectSame(const Record& a, const Record& b) {
    EXPECT_EQ(a.attach, b.attach);
    EXPECT_EQ(a.destination, b.destination);
    EXPECT_EQ(a.main, b.main);
    EXPECT_EQ(a.madeMain, b.madeMain);
    EXPECT_EQ(a.folders, b.folders);
    EXPECT_EQ(a.made, b.made);
    EXPECT_EQ(a.files, b.files);
    EXPECT_EQ(a.written, b.written);
    EXPECT_EQ(a.failed, b.failed);
  }
  std::string Bytes() {
    std::ifstream in("./j/Vol02.journal", std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void Put(const std::string& bytes) {
    ::mkdir("./j", 0755);
    std::ofstream("./j/Vol02.journal", std::ios::binary | std::ios::trunc) << bytes;
  }
};

TEST_F(JournalFileTest, EveryByteOfANameSurvives) {
  std::string every;
  for (int c = 1; c < 256; ++c)
    if (c != '\\') every += static_cast<char>(c);
  const Paths names = {"D:\\plain", "D:\\tab\there", "D:\\line\nbreak", "D:\\100%", "D:\\bad\xff\xfe",
                       "D:\\caf\xc3\xa9", "D:\\" + every, "D:\\%41 stays"};
  for (const std::string& name : names) {
    const std::string escaped = EscapeJournalField(name);
    EXPECT_EQ(escaped.find_first_of("\t\n\r"), std::string::npos) << escaped;
    EXPECT_EQ(UnescapeJournalField(escaped), name);
  }
  EXPECT_EQ(EscapeJournalField("D:\\caf\xc3\xa9 100%"), "D:\\caf\xc3\xa9 100%25");  // readable where it can be
  EXPECT_EQ(UnescapeJournalField("bad %4"), std::nullopt);
  EXPECT_EQ(UnescapeJournalField("bad %G1"), std::nullopt);

  Record run;
  RunJournal journal(HostFileSystem(), PageKey::Vol02, ListsOf(run));
  journal.SetFolder("./j");
  run.attach = SourceKind::Structures;
  run.destination = "D:\\" + every;
  journal.Begin();
  for (const std::string& name : names) {
    run.main.push_back(name);
    run.madeMain.push_back({name, {7, 1ull << 60}});
    run.written.push_back({name + "\\f", {1, 2, 3, -4, 999999999}});
    journal.Note(JournalRecord::Main, run.main.back());
    journal.Note(JournalRecord::MainMade, run.madeMain.back());
    journal.Note(JournalRecord::Written, run.written.back());
    // Numbers at the edges of their types, and at the edges of a digit.
    run.written.push_back({name + "\\g",
                           {0, UINT64_MAX, 9, INT64_MIN, 10, INT64_MAX, 99, -1, UINT32_MAX},
                           100});
    journal.Note(JournalRecord::Written, run.written.back());
    // A main folder the run made gets both its lines from one escape; one
    // it found gets its main line alone.
    const MadeIdentity made{{8, 5}, 3};
    run.main.push_back(name + "\\made");
    run.madeMain.push_back(MadeFolder{name + "\\made", made.identity, made.within});
    journal.NoteMain(run.main.back(), &made);
    run.main.push_back(name + "\\found");
    journal.NoteMain(run.main.back(), nullptr);
    journal.Tick();
  }
  journal.End();
  Record back;
  const JournalLoad load = LoadInto(back);
  EXPECT_EQ(load.state, JournalLoad::State::Loaded);
  EXPECT_FALSE(load.torn);
  ExpectSame(back, run);
}

// A main folder's record is written right after its line in the created
// list: paths alike in all but their end, or escaped, come back each as
// it was, whichever list they are in.
TEST_F(JournalFileTest, AMainFolderAndItsRecordComeBackEachWithItsOwnPath) {
  const std::vector<std::pair<std::string, std::string>> lines = {
      {"D:\\plain", "D:\\plain"},          {"D:\\plain2", "D:\\plain3"},  {"D:\\short", "D:\\shorter"},
      {"D:\\longer", "D:\\long"},          {"D:\\100%", "D:\\100%"},      {"D:\\bad\xff", "D:\\bad\xff"},
      {"D:\\caf\xc3\xa9", "D:\\caf\xc3\xa9"}, {"D:\\tab\tx", "D:\\tab\tx"}, {"", ""},
      // A path that reads as the line before it and the record's beginning.
      {"D:\\a", "D:\\a\nmain-made\t3"}};
  Record run;
  RunJournal journal(HostFileSystem(), PageKey::Vol02, ListsOf(run));
  journal.SetFolder("./j");
  journal.Begin();
  std::uint64_t inode = 1;
  for (const auto& [main, made] : lines) {
    run.main.push_back(main);
    journal.Note(JournalRecord::Main, main);
    const MadeIdentity identity{FolderIdentity{3, inode++}, 2};
    run.madeMain.push_back({made, identity.identity, identity.within});
    journal.Note(JournalRecord::MainMade, made, identity);
  }
  journal.End();
  Record back;
  EXPECT_EQ(LoadInto(back).state, JournalLoad::State::Loaded);
  ExpectSame(back, run);
}

// The journal is read in pieces: records of every length must come back
// whole wherever the seams between the pieces fall.
TEST_F(JournalFileTest, AJournalOfManyPiecesLosesNoRecordAtTheSeams) {
  Record run;
  RunJournal journal(HostFileSystem(), PageKey::Vol02, ListsOf(run));
  journal.SetFolder("./j");
  run.attach = SourceKind::Nothing;
  journal.Begin();
  for (int i = 0; i < 3000; ++i) {
    const std::string name = "D:\\Dest\\" + std::string(static_cast<std::size_t>(i % 300), 'x') + std::to_string(i);
    run.main.push_back(name);
    run.madeMain.push_back(MadeFolder{name, {9, static_cast<std::uint64_t>(i)}, 7});
    journal.Note(JournalRecord::Main, run.main.back());
    journal.Note(JournalRecord::MainMade, run.madeMain.back());
    journal.Tick();
  }
  journal.End();
  ASSERT_GT(Bytes().size(), std::size_t{4} << 16);
  Record back;
  const JournalLoad load = LoadInto(back);
  EXPECT_EQ(load.state, JournalLoad::State::Loaded);
  EXPECT_FALSE(load.torn);
  EXPECT_EQ(load.records, 6000u);
  ExpectSame(back, run);
}

TEST_F(JournalFileTest, AJournalCutAnywhereInItsLastRecordGivesTheWholeOnesBefore) {
  Record run;
  RunJournal journal(HostFileSystem(), PageKey::Vol02, ListsOf(run));
  journal.SetFolder("./j");
  run.attach = SourceKind::Nothing;
  journal.Begin();
  for (int i = 0; i < 3; ++i) {
    run.madeMain.push_back({"D:\\Dest\\P-" + std::to_string(i), {9, static_cast<std::uint64_t>(100 + i)}});
    journal.Note(JournalRecord::MainMade, run.madeMain.back());
    journal.Tick();
  }
  run.written.push_back({"D:\\Dest\\P-2\\f.txt", {9, 200, 5, 1700000000, 12}});
  journal.Note(JournalRecord::Written, run.written.back());
  journal.End();
  const std::string whole = Bytes();
  ASSERT_EQ(whole.back(), '\n');
  const std::size_t lastStart = whole.rfind('\n', whole.size() - 2) + 1;
  Record expected = run;
  expected.written.clear();

  for (std::size_t cut = lastStart; cut < whole.size(); ++cut) {
    Put(whole.substr(0, cut));
    Record back;
    back.failed.push_back({"D:\\stale", {}});  // replaced by what the journal holds
    RunJournal reader(HostFileSystem(), PageKey::Vol02, ListsOf(back));
    reader.SetFolder("./j");
    const JournalLoad load = reader.Load();
    ASSERT_EQ(load.state, JournalLoad::State::Loaded) << "cut at " << cut;
    EXPECT_EQ(load.torn, cut != lastStart) << "cut at " << cut;
    EXPECT_EQ(load.records, 3u) << "cut at " << cut;
    ExpectSame(back, expected);
  }
  // Zeros where a power cut left the end of the file unwritten.
  Put(whole.substr(0, lastStart) + std::string(40, '\0'));
  Record back;
  RunJournal reader(HostFileSystem(), PageKey::Vol02, ListsOf(back));
  reader.SetFolder("./j");
  EXPECT_EQ(reader.Load().state, JournalLoad::State::Loaded);
  ExpectSame(back, expected);
}

TEST_F(JournalFileTest, ABadRecordInTheMiddleLeavesTheListsAlone) {
  Put(std::string(kJournalVersionLine) + "\npage\tVol02\nmain\tD:\\a\nmain\tD:\\b\textra\nmain\tD:\\c\n");
  Record back;
  back.main = {"D:\\kept"};
  RunJournal reader(HostFileSystem(), PageKey::Vol02, ListsOf(back));
  reader.SetFolder("./j");
  const JournalLoad load = reader.Load();
  EXPECT_EQ(load.state, JournalLoad::State::SetAside);
  EXPECT_EQ(load.keptAs, "./j/Vol02.journal.unreadable");
  EXPECT_EQ(back.main, (Paths{"D:\\kept"}));
}

TEST_F(JournalFileTest, TheAttachedKindIsKeptAsItsLetter) {
  const std::pair<std::optional<SourceKind>, std::string> kinds[] = {{SourceKind::Structures, "attach\tF\n"},
                                                                     {SourceKind::Templates, "attach\tR\n"},
                                                                     {SourceKind::Nothing, "attach\tN\n"},
                                                                     {std::nullopt, ""}};
  for (const auto& [kind, line] : kinds) {
    Record run;
    run.attach = kind;
    RunJournal journal(HostFileSystem(), PageKey::Vol02, ListsOf(run));
    journal.SetFolder("./j");
    journal.Begin();
    journal.End();
    EXPECT_EQ(Bytes(), std::string(kJournalVersionLine) + "\npage\tVol02\n" + line);
    Record back;
    back.attach = SourceKind::Templates;  // replaced by what the journal holds
    RunJournal reader(HostFileSystem(), PageKey::Vol02, ListsOf(back));
    reader.SetFolder("./j");
    EXPECT_EQ(reader.Load().state, JournalLoad::State::Loaded);
    EXPECT_EQ(back.attach, kind) << line;
  }
  // A letter this program never wrote names nothing; the rest is still read.
  Put(std::string(kJournalVersionLine) + "\npage\tVol02\nattach\tX\nmain\tD:\\a\n");
  Record back;
  back.attach = SourceKind::Structures;
  RunJournal reader(HostFileSystem(), PageKey::Vol02, ListsOf(back));
  reader.SetFolder("./j");
  EXPECT_EQ(reader.Load().state, JournalLoad::State::Loaded);
  EXPECT_EQ(back.attach, std::nullopt);
  EXPECT_EQ(back.main, (Paths{"D:\\a"}));
}

TEST_F(JournalFileTest, BatchesWaitInMemoryAndAllIsOnDiskAtTheEnd) {
  Record run;
  RunJournal journal(HostFileSystem(), PageKey::Vol02, ListsOf(run));
  journal.SetFolder("./j");
  journal.Begin();
  const std::string head = Bytes();
  run.main.push_back("D:\\a");
  journal.Note(JournalRecord::Main, run.main.back());
  journal.Tick();
  EXPECT_EQ(Bytes(), head);  // no write for one small record
  // Many records go out before the half second is over.
  for (int i = 0; i < 2000; ++i) {
    run.main.push_back("D:\\Dest\\a folder with a long enough name " + std::to_string(i));
    journal.Note(JournalRecord::Main, run.main.back());
    journal.Tick();
  }
  EXPECT_GT(Bytes().size(), head.size() + 16000);
  journal.End();
  Record back;
  RunJournal reader(HostFileSystem(), PageKey::Vol02, ListsOf(back));
  reader.SetFolder("./j");
  reader.Load();
  EXPECT_EQ(back.main, run.main);
  // Without a folder nothing is kept at all.
  RunJournal off(HostFileSystem(), PageKey::Vol02, ListsOf(run));
  off.Begin();
  off.End();
  EXPECT_EQ(off.Load().state, JournalLoad::State::None);
}

TEST(JournalFolder, BesideTheSettingsFile) {
  EXPECT_EQ(JournalFolderFor("./default.set"), "./default.undo");
  EXPECT_EQ(JournalFolderFor("D:\\a.b\\settings"), "D:\\a.b\\settings.undo");
}

}  // namespace
}  // namespace quillory
