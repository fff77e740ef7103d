// Undo of the create and copy pages on real folders: only what the run made,
// and only while it is still what the run made, is taken away.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"
#include "undo/folder_file_undo.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class UndoTest : public PagesTest {
 protected:
  CreateFromStringsPage& Strings() { return main->vol02; }
  void Click(Button& button, std::vector<MessageAnswer> answers = {MessageAnswer::Yes}) {
    ui->ClearCalls();
    for (MessageAnswer a : answers) ui->answers.push_back(a);
    button.Click();
  }
  Paths Captions() {
    Paths out;
    for (const UiCall& m : ui->Messages()) out.push_back(m.caption);
    return out;
  }
  void RunStrings(Paths items) {
    Strings().lstVol02IncludeStrings.SetItems(std::move(items));
    Strings().Refresh();
    Click(Strings().btnCreateFolders);
  }
};

TEST_F(UndoTest, UndoTakesAwayTheRunsFoldersAndFilesDeepestFirst) {
  MakeFile("D:\\S\\in\\f.txt", "data");
  Strings().structures.SourceKindClick(SourceKind::Structures);
  Strings().structures.AttachModeClick(AttachMode::MainWithFiles);
  Strings().structures.list.SetItems({"D:\\S"});
  RunStrings({"a", "b\\deep"});
  ASSERT_TRUE(IsDir("D:\\Dest\\b\\deep\\S\\in"));
  Click(Strings().btnUndo);
  EXPECT_EQ(Captions(), (Paths{"Creating Folder(s).-From a String List.            Information no: 0029.",
                               "Creating Folder(s).-From a String List.            Information no: 0031."}));
  EXPECT_FALSE(IsDir("D:\\Dest\\a"));
  EXPECT_FALSE(IsDir("D:\\Dest\\b"));  // the parent the run made goes too
  EXPECT_TRUE(IsDir("D:\\Dest"));      // the destination was there before
  EXPECT_TRUE(Strings().records.createdMainFolders.empty());
  // Nothing left to undo.
  Click(Strings().btnUndo, {});
  EXPECT_EQ(Captions(), (Paths{"Creating Folder(s).-From a String List.            Warning no: 0028."}));
}

TEST_F(UndoTest, AFolderWithSomethingNewInItStaysAndASecondUndoRetriesIt) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"a", "b"});
  MakeFile("D:\\Dest\\a\\mine.txt", "the person's");
  Click(Strings().btnUndo);
  const auto messages = ui->Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].caption, "Creating Folder(s).-From a String List.            Information no: 0030.");
  EXPECT_EQ(messages[1].text,
            "The program is unable to delete the following folders, and/or separate files : \n\nOTHER REASONS   : "
            "\n\nD:\\Dest\\a\n");
  EXPECT_TRUE(IsDir("D:\\Dest\\a"));
  EXPECT_FALSE(IsDir("D:\\Dest\\b"));
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\a"}));
  EXPECT_EQ(Strings().stats.Get("FailedUndo"), 1);
  ASSERT_EQ(::unlink(Host("D:\\Dest\\a\\mine.txt").c_str()), 0);
  Click(Strings().btnUndo);
  EXPECT_EQ(Captions().size(), 2u);  // no report
  EXPECT_FALSE(IsDir("D:\\Dest\\a"));
  EXPECT_TRUE(Strings().failedUndoFolders.empty());
}

TEST_F(UndoTest, AFolderPutInPlaceOfTheRunsOneIsLeftAlone) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"a"});
  // The run's folder is moved aside, not removed, so its inode stays taken
  // and the new "a" cannot get it.
  ASSERT_EQ(::rename(Host("D:\\Dest\\a").c_str(), Host("D:\\Dest\\moved").c_str()), 0);
  MakeDir("D:\\Dest\\a");
  Click(Strings().btnUndo);
  EXPECT_TRUE(IsDir("D:\\Dest\\a"));
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\a"}));
}

TEST_F(UndoTest, ALinkInPlaceOfAFolderIsNeverFollowed) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"a"});
  MakeDir("D:\\Elsewhere\\empty");
  ASSERT_EQ(::rmdir(Host("D:\\Dest\\a").c_str()), 0);
  ASSERT_EQ(::symlink(Host("D:\\Elsewhere\\empty").c_str(), Host("D:\\Dest\\a").c_str()), 0);
  Click(Strings().btnUndo);
  EXPECT_TRUE(IsDir("D:\\Elsewhere\\empty"));
  EXPECT_EQ(Strings().failedUndoFolders, (Paths{"D:\\Dest\\a"}));
}

TEST_F(UndoTest, PathsUndoLeavesTheParentsThatWereThereBefore) {
  MakeDir("D:\\Clients");
  CreateFromPathsPage& paths = main->vol04;
  paths.edtVol04Prefix.SetText("Old");
  paths.chkVol04Hyphen.SetChecked(true);
  paths.lstVol04IncludeFolderList.SetItems({"D:\\Clients\\Acme", "D:\\New\\Deep"});
  paths.Refresh();
  paths.structures.SourceKindClick(SourceKind::Nothing);
  Click(paths.btnCreateFolders);
  ASSERT_TRUE(IsDir("D:\\Clients\\Old-Acme"));
  ASSERT_TRUE(IsDir("D:\\New\\Old-Deep"));
  Click(paths.btnUndo);
  EXPECT_TRUE(IsDir("D:\\Clients"));  // empty, but the person's
  EXPECT_FALSE(IsDir("D:\\Clients\\Old-Acme"));
  EXPECT_FALSE(IsDir("D:\\New"));  // made by the run as a missing parent
}

TEST_F(UndoTest, ANoKeepsTheRecordWhole) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"a"});
  Click(Strings().btnUndo, {MessageAnswer::No});
  EXPECT_TRUE(IsDir("D:\\Dest\\a"));
  ASSERT_EQ(Strings().records.madeMainFolders.size(), 1u);
  Click(Strings().btnUndo);
  EXPECT_FALSE(IsDir("D:\\Dest\\a"));
}

TEST_F(UndoTest, ASimulationLeavesTheLastRunToUndo) {
  Strings().structures.SourceKindClick(SourceKind::Nothing);
  RunStrings({"real"});
  Strings().lstVol02IncludeStrings.SetItems({"other"});
  Strings().Refresh();
  Click(Strings().btnCreateFoldersSimulation);
  Click(Strings().btnUndo);
  EXPECT_FALSE(IsDir("D:\\Dest\\real"));
}

TEST_F(UndoTest, CopyUndoKeepsChangedFilesAndTheDestinations) {
  MakeFile("D:\\S\\f.txt", "abc");
  MakeFile("D:\\S\\g.txt", "def");
  MakeDir("D:\\T\\pre");
  CopyPage& copy = main->vol08;
  copy.structures.SourceKindClick(SourceKind::Structures);
  copy.structures.AttachModeClick(AttachMode::MainWithFiles);
  copy.structures.list.SetItems({"D:\\S"});
  copy.include.SetItems({"D:\\T"});
  copy.Refresh();
  Click(copy.btnVol08CopyFolders);
  ASSERT_TRUE(IsDir("D:\\T\\S"));
  std::ofstream(Host("D:\\T\\S\\g.txt"), std::ios::app) << " changed";
  Click(copy.btnVol08Undo);
  EXPECT_TRUE(IsDir("D:\\T\\S"));  // still holds the changed file
  struct stat st {};
  EXPECT_NE(::stat(Host("D:\\T\\S\\f.txt").c_str(), &st), 0);
  EXPECT_EQ(::stat(Host("D:\\T\\S\\g.txt").c_str(), &st), 0);
  EXPECT_EQ(copy.failedUndoFolders, (Paths{"D:\\T\\S"}));
  ASSERT_EQ(copy.failedUndoFiles.size(), 1u);
  EXPECT_EQ(copy.failedUndoFiles[0].path, "D:\\T\\S\\g.txt");
  EXPECT_TRUE(IsDir("D:\\T\\pre"));

  // A copy into folders that were all there makes nothing to undo.
  copy.structures.SourceKindClick(SourceKind::Templates);
  copy.structures.list.SetItems({"\\pre"});
  copy.Refresh();
  copy.failedUndoFolders.clear();
  Click(copy.btnVol08CopyFolders);
  Click(copy.btnVol08Undo, {});
  EXPECT_EQ(Captions(), (Paths{"Copy Folder Structure(s).-From a Folder List - Level.            Warning no: 0290."}));
}

TEST_F(UndoTest, ACopiedTemplateGoesWholeButNeverItsDestination) {
  MakeDir("D:\\T");
  CopyPage& copy = main->vol08;
  copy.structures.SourceKindClick(SourceKind::Templates);
  copy.structures.list.SetItems({"\\a\\b\\c"});
  copy.include.SetItems({"D:\\T"});
  copy.Refresh();
  Click(copy.btnVol08CopyFolders);
  ASSERT_TRUE(IsDir("D:\\T\\a\\b\\c"));
  Click(copy.btnVol08Undo);
  EXPECT_EQ(Captions().size(), 2u);  // question and end, no report
  EXPECT_FALSE(IsDir("D:\\T\\a"));
  EXPECT_TRUE(IsDir("D:\\T"));
}

// The engine alone: every item in turn, as the frame hands them out.
std::vector<ItemOutcome> UndoAll(FolderFileUndo& undo) {
  undo.Order();
  std::vector<ItemOutcome> left;
  for (std::size_t i = 0; i < undo.ItemCount(); ++i)
    undo.Work(i, [&](ItemOutcome&& outcome) { left.push_back(std::move(outcome)); });
  return left;
}

constexpr UndoFailureReport kReport{static_cast<std::size_t>(CreateList::FoldersFailedUndo),
                                    Id(CreateCounter::FailedUndo)};

TEST_F(UndoTest, EqualDepthsGoInTheReverseOfTheirMaking) {
  MakeDir("D:\\U\\a\\x");
  MakeDir("D:\\U\\b");
  const auto id = [](const char* p) { return *HostFileSystem().Identity(p); };
  FaultFileSystem fs;
  Paths order;
  fs.onCall = [&](FsOp op, std::string_view path) {
    if (op == FsOp::RemoveEmptyFolder) order.emplace_back(path);
  };
  FolderFileUndo undo(fs, kReport);
  undo.SetFolders({{"D:\\U", id("D:\\U")},
                   {"D:\\U\\a", id("D:\\U\\a")},
                   {"D:\\U\\b", id("D:\\U\\b")},
                   {"D:\\U\\a\\x", id("D:\\U\\a\\x")},
                   {"D:\\U\\b", id("D:\\U\\b")}});  // a path recorded twice goes once
  EXPECT_TRUE(UndoAll(undo).empty());
  EXPECT_EQ(order, (Paths{"D:\\U\\a\\x", "D:\\U\\b", "D:\\U\\a", "D:\\U"}));
  EXPECT_FALSE(IsDir("D:\\U"));
}

// A numbered path, built by appending.
std::string Numbered(const char* stem, std::size_t i) {
  std::string path = stem;
  path += std::to_string(i);
  return path;
}

// Takes every batch as done without touching a disk, counting the calls.
class BatchCountingFileSystem : public FaultFileSystem {
 public:
  void RemoveMadeFolders(const MadeFolders& folders, std::vector<FsResult>* results) override {
    folderBatches.push_back(folders.size());
    for (const MadeFolder& folder : folders) order.push_back(folder.path);
    results->assign(folders.size(), FsResult{});
  }
  void DeleteWrittenFiles(const std::vector<WrittenFile>& files, std::vector<FsResult>* results) override {
    fileBatches.push_back(files.size());
    for (const WrittenFile& file : files) order.push_back(file.path);
    results->assign(files.size(), FsResult{});
  }
  std::vector<std::size_t> folderBatches, fileBatches;
  Paths order;
};

// A large undo goes in items of one batch call each, an item never holding
// two levels (the items of one level may go at once); deepest first holds
// across the items' borders, and the files go before any folder.
TEST_F(UndoTest, ALargeUndoGoesInItemsOfOneBatchCallEach) {
  constexpr std::size_t k = FolderFileUndo::kEntriesPerItem;
  std::uint64_t inode = 100;
  MadeFolders made;
  const auto record = [&](std::string path) { made.push_back({std::move(path), FolderIdentity{1, ++inode}}); };
  record("D:\\U");
  // More children than one item takes, the deep ones made last so that
  // they sit in the last item of the record's order.
  const std::size_t children = k + 40;
  for (std::size_t i = 0; i < children; ++i) record(Numbered("D:\\U\\c", i));
  for (std::size_t i = 0; i < 3; ++i) record(Numbered("D:\\U\\c0\\deep", i));
  record("D:\\U\\c7");  // made again: it goes once, where its last record puts it
  std::vector<WrittenFile> written;
  for (std::size_t i = 0; i < k + 1; ++i) written.push_back({Numbered("D:\\U\\c1\\f", i), {}});
  BatchCountingFileSystem fs;
  FolderFileUndo undo(fs, kReport);
  undo.SetFolders(made);
  undo.SetFiles(written);
  undo.Order();
  const std::size_t folders = made.size() - 1;
  // Two of files, then the deep level, the children's two and the top.
  ASSERT_EQ(undo.ItemCount(), 6u);
  EXPECT_EQ(undo.Phases(0), (std::vector<std::uint32_t>{0, 0, 1, 2, 2, 3}));
  std::vector<std::size_t> callsAfterItem;
  for (std::size_t i = 0; i < undo.ItemCount(); ++i) {
    undo.Work(i, [](ItemOutcome&& outcome) { ADD_FAILURE() << "left: " << outcome.path; });
    callsAfterItem.push_back(fs.fileBatches.size() + fs.folderBatches.size());
  }
  EXPECT_EQ(callsAfterItem, (std::vector<std::size_t>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(fs.fileBatches, (std::vector<std::size_t>{k, 1}));
  EXPECT_EQ(fs.folderBatches, (std::vector<std::size_t>{3, k, folders - k - 4, 1}));
  ASSERT_EQ(fs.order.size(), written.size() + folders);
  EXPECT_EQ(fs.order[0], written[0].path);
  const std::size_t first = written.size();
  EXPECT_EQ(fs.order[first], "D:\\U\\c0\\deep2");
  EXPECT_EQ(fs.order[first + 2], "D:\\U\\c0\\deep0");
  EXPECT_EQ(fs.order[first + 3], "D:\\U\\c7");
  EXPECT_EQ(fs.order[first + 4], Numbered("D:\\U\\c", children - 1));
  EXPECT_EQ(fs.order.back(), "D:\\U");
  EXPECT_EQ(std::count(fs.order.begin(), fs.order.end(), "D:\\U\\c7"), 1);
}

// What cannot go is handed on as it is found: a folder with its page's
// list line and counter, a file with neither; a folder gone already is no
// failure.
TEST_F(UndoTest, WhatCannotGoIsHandedOnAsAnUndoFailure) {
  MakeFile("D:\\U\\full\\mine.txt", "the person's");
  MakeDir("D:\\U\\gone");
  MakeFile("D:\\U\\f.txt", "abc");
  const MadeFolder full{"D:\\U\\full", *HostFileSystem().Identity("D:\\U\\full")};
  const MadeFolder gone{"D:\\U\\gone", *HostFileSystem().Identity("D:\\U\\gone")};
  WrittenFile changed{"D:\\U\\f.txt", FileIdentityAt("D:\\U\\f.txt")};
  changed.identity.size += 1;
  ASSERT_EQ(::rmdir(Host("D:\\U\\gone").c_str()), 0);
  FolderFileUndo undo(HostFileSystem(), kReport);
  undo.SetFolders({full, gone});
  undo.SetFiles({changed});
  const std::vector<ItemOutcome> left = UndoAll(undo);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[0].path, "D:\\U\\f.txt");
  EXPECT_TRUE(left[0].undoFailed);
  ASSERT_TRUE(left[0].written.has_value());
  EXPECT_EQ(*left[0].written, changed);
  EXPECT_EQ(left[0].list, kNoList);
  EXPECT_EQ(left[0].counterCount, 0u);
  EXPECT_TRUE(left[0].made.empty());

  EXPECT_EQ(left[1].path, "D:\\U\\full");
  EXPECT_EQ(left[1].kind, OutcomeKind::Other);
  EXPECT_TRUE(left[1].undoFailed);
  EXPECT_EQ(left[1].list, kReport.list);
  ASSERT_EQ(left[1].counterCount, 1u);
  EXPECT_EQ(left[1].counters[0].counter, kReport.counter);
  EXPECT_EQ(left[1].counters[0].delta, 1);
  ASSERT_EQ(left[1].made.size(), 1u);
  EXPECT_EQ(left[1].made[0].path, full.path);
  EXPECT_EQ(left[1].made[0].identity, full.identity);
  EXPECT_FALSE(left[1].written.has_value());
  EXPECT_TRUE(IsFile("D:\\U\\full\\mine.txt"));
  EXPECT_TRUE(IsFile("D:\\U\\f.txt"));

  EXPECT_EQ(UndoReport({full}, {changed}),
            "The program is unable to delete the following folders, and/or separate files : \n\nOTHER REASONS   : "
            "\n\nD:\\U\\full\nD:\\U\\f.txt\n");
  EXPECT_EQ(UndoReport({}, {}), "");
}

}  // namespace
}  // namespace quillory
