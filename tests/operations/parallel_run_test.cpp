// Many items in flight must not change what a run comes to. On a slow file
// system (every call waits, as on a file server) each page runs on seeded
// random trees and lists, once with one worker and once with sixteen, on the
// same tree made again: the Visual Log lists in their order, the counters,
// the messages, the journal and the disk afterwards are the same. The
// sixteen-worker run is then undone and must leave the tree as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/run_jobs.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "shell/main_window.h"
#include "structures/structures_group.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"
#include "support/random_attach.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

// What one run left: everything a person or an undo can see of it.
struct Seen {
  std::vector<Paths> lists;
  std::vector<double> counters;
  Paths messages;
  Paths journal;  // identities (numbers) masked: a tree made again has new inodes
  Paths disk;
  bool operator==(const Seen&) const = default;
};

// Chains of their own for the workers: a dozen top folders, each a small
// random tree with files (some read-only), links out of the aimed folder and
// into it, and names of missing folders on the way.
struct Tree {
  Paths folders, files, links, missing;
  Paths All() const {
    Paths all = folders;
    for (const Paths* more : {&files, &links, &missing}) all.insert(all.end(), more->begin(), more->end());
    return all;
  }
};

class ParallelRunTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    fs.SetDelay(std::chrono::microseconds(40));
  }
  void TearDown() override {
    SetRunJobs(kAutomaticJobs);
    AppTest::TearDown();
  }

  // The program started afresh on the slow file system, with no journal of
  // an earlier run.
  TfrmMain& Begin() {
    app.reset();
    std::filesystem::remove_all(Host("D:\\default.undo"));
    return Restart();
  }
  // Begun, with the string page's two template lines for `count` names.
  TfrmMain& BeginTemplatesRun(int count) {
    TfrmMain& m = Begin();
    CreateFromStringsPage& page = m.vol02;
    page.structures.SourceKindClick(SourceKind::Templates);
    page.structures.list.SetItems({"\\A\\B", "\\C"});
    Paths names;
    for (int i = 0; i < count; ++i) names.push_back("P" + std::to_string(i));
    page.lstVol02IncludeStrings.SetItems(names);
    page.Refresh();
    return m;
  }
  // Started again, as after closing: the journals stay.
  TfrmMain& Restart() {
    app.reset();
    ui = std::make_unique<ScriptedUi>();
    store = std::make_unique<SettingsStore>();
    app = std::make_unique<Application>(*ui, *store, fs);
    main = app->main;
    main->vol02.ChooseDestination("D:\\Dest");
    ui->ClearCalls();
    return *main;
  }

  Tree Grow(unsigned seed) {
    for (const char* top : {"D:\\T", "D:\\Dest", "D:\\Out"}) RemoveTree(Host(top));
    MakeDir("D:\\Out\\kept");
    // Every other seed the destination is missing: the first item makes it,
    // alone, before the others go at once below it.
    if (seed % 2 == 0) {
      MakeDir("D:\\Dest\\there");
      MakeFile("D:\\Dest\\afile");
      EXPECT_EQ(::symlink(Host("D:\\Out").c_str(), Host("D:\\Dest\\alink").c_str()), 0);
    }
    // The structure copied lies among the chains, so an item inside it is
    // refused with a message while the other chains go on.
    MakeFile("D:\\T\\S\\in\\f.txt", "data");
    MakeFile("D:\\T\\S\\in\\deep\\g.txt", "more");
    MakeDir("D:\\T\\S\\empty");
    std::mt19937 random(seed);
    Tree tree;
    int n = 0;
    std::function<void(const std::string&, int)> grow = [&](const std::string& parent, int depth) {
      if (random() % 3 == 0) {
        const std::string file = parent + "\\file" + std::to_string(n++) + ".txt";
        MakeFile(file, "data");
        if (random() % 3 == 0) ::chmod(Host(file).c_str(), 0444);
        tree.files.push_back(file);
      }
      if (random() % 5 == 0) {
        const std::string link = parent + "\\link" + std::to_string(n++);
        EXPECT_EQ(::symlink(Host(random() % 2 ? "D:\\Out" : "D:\\T").c_str(), Host(link).c_str()), 0);
        tree.links.push_back(link);
      }
      tree.missing.push_back(parent + "\\missing" + std::to_string(n++) + "\\below");
      if (depth == 3) return;
      const int children = static_cast<int>(random() % 4);
      for (int c = 0; c < children; ++c) {
        const std::string path = parent + "\\f" + std::to_string(n++);
        MakeDir(path);
        tree.folders.push_back(path);
        grow(path, depth + 1);
      }
    };
    MakeDir("D:\\T\\p_top0");  // the name a rename of top0 would take
    for (int top = 0; top < 12; ++top) {
      const std::string path = "D:\\T\\top" + std::to_string(top);
      MakeDir(path);
      tree.folders.push_back(path);
      grow(path, 1);
    }
    return tree;
  }

  static Paths Pick(std::mt19937& random, const Paths& from, std::size_t count) {
    Paths picked;
    for (std::size_t i = 0; i < count; ++i) picked.push_back(from[random() % from.size()]);
    return picked;
  }

  // Every entry below D:\ but the program's own files, with its kind and
  // whether it may be written.
  Paths Disk() {
    Paths out;
    const std::filesystem::path root = Host("D:\\");
    for (const char* top : {"T", "Dest", "Out"}) {
      std::error_code error;
      for (auto it = std::filesystem::recursive_directory_iterator(root / top, error);
           it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const auto status = it->symlink_status();
        const char kind = std::filesystem::is_symlink(status) ? 'l' : std::filesystem::is_directory(status) ? 'd' : 'f';
        const bool writable = (status.permissions() & std::filesystem::perms::owner_write) != std::filesystem::perms::none;
        out.push_back(std::string(1, kind) + (writable ? "w " : "r ") +
                      std::filesystem::relative(it->path(), root).string());
      }
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  static Paths Masked(const std::string& journalPath) {
    Paths lines;
    std::ifstream in(journalPath, std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      std::string masked, field;
      const auto flush = [&] {
        const bool number = !field.empty() && field.find_first_not_of("-0123456789") == std::string::npos;
        masked += number ? "#" : field;
        field.clear();
      };
      for (const char c : line) {
        if (c == '\t' || c == ' ') {
          flush();
          masked += c;
        } else {
          field += c;
        }
      }
      flush();
      lines.push_back(masked);
    }
    return lines;
  }

  Seen See(PageKey page, std::size_t lists, const RunJournal& journal) {
    Seen seen;
    for (std::size_t i = 0; i < lists; ++i) seen.lists.push_back(main->visualLogs.List(page, i).Items());
    const OperationStatistics& stats = main->visualLogs.Stats(page);
    for (std::size_t i = 0; i < stats.Names().size(); ++i) seen.counters.push_back(stats.At(i));
    for (const UiCall& m : ui->Messages()) seen.messages.push_back(m.caption + ": " + m.text);
    seen.journal = Masked(journal.Path());
    seen.disk = Disk();
    return seen;
  }

  // Lists the items, refreshes the page and presses its run button; the
  // page's journal, for the comparison.
  template <class Page>
  const RunJournal& Run(Page& page, ListBox& list, Paths items, Button& run) {
    list.SetItems(std::move(items));
    page.Refresh();
    Press(run);
    return page.journal;
  }

  void Press(Button& button) {
    ui->answers.assign(6, MessageAnswer::Yes);
    ASSERT_TRUE(button.Click()) << button.Name();
    ui->answers.clear();
  }

  // The same seeded run with one worker and with sixteen; `run` fills the
  // page from the tree and presses its button, `undo` (if any) undoes it.
  void Compare(unsigned seeds, PageKey page, std::size_t lists,
               const std::function<const RunJournal&(TfrmMain&, const Tree&, std::mt19937&)>& run,
               const std::function<void(TfrmMain&)>& undo) {
    for (unsigned seed = 1; seed <= seeds; ++seed) {
      SCOPED_TRACE("seed " + std::to_string(seed));
      Seen seen[2];
      for (const int jobs : {1, 16}) {
        const Tree tree = Grow(seed);
        const Paths before = Disk();
        std::mt19937 random(seed * 7919);
        SetRunJobs(jobs);
        TfrmMain& m = Begin();
        fs.ResetInFlight();
        const RunJournal& journal = run(m, tree, random);
        if (jobs == 1) EXPECT_EQ(fs.MostInFlight(), 1);
        else mostAtOnce = std::max(mostAtOnce, fs.MostInFlight());
        seen[jobs == 16] = See(page, lists, journal);
        for (const Paths& list : seen[jobs == 16].lists) compared += list.size();
        if (jobs == 16 && undo) {
          undo(m);
          EXPECT_EQ(Disk(), before) << "the undo of the sixteen-worker run";
        }
      }
      EXPECT_EQ(seen[0].lists, seen[1].lists);
      EXPECT_EQ(seen[0].counters, seen[1].counters);
      EXPECT_EQ(seen[0].messages, seen[1].messages);
      EXPECT_EQ(seen[0].journal, seen[1].journal);
      EXPECT_EQ(seen[0].disk, seen[1].disk);
    }
  }

  FaultFileSystem fs;
  TfrmMain* main = nullptr;
  std::size_t compared = 0;
  // Reached by some sixteen-worker run: a generator that gave every item
  // one chain would compare two serial runs and pass.
  int mostAtOnce = 0;
};

TEST_F(ParallelRunTest, CreateFromStringsWithSharedMissingParents) {
  Compare(
      6, PageKey::Vol02, 5,
      [this](TfrmMain& m, const Tree&, std::mt19937& random) -> const RunJournal& {
        // Repeats, a file and a link in the way, and new folders sharing
        // missing parents ("new" made by the first that needs it).
        const Paths pool = {"there", "afile", "alink", "new", "new\\deeper\\still", "new\\other", "there\\below",
                            "a1", "a2", "a3", "b\\c", "b\\d", std::string(256, 'x')};
        Paths items;
        for (int i = 0; i < 24; ++i) items.push_back(pool[random() % pool.size()]);
        CreateFromStringsPage& page = m.vol02;
        AttachAtRandom(page.structures, random, "D:\\T\\S");
        return Run(page, page.lstVol02IncludeStrings, items, page.btnCreateFolders);
      },
      [this](TfrmMain& m) { Press(m.vol02.btnUndo); });
  EXPECT_GT(compared, 100u);
  EXPECT_GE(mostAtOnce, 4);
}

TEST_F(ParallelRunTest, CreateFromAFolderListWithSharedMissingParents) {
  Compare(
      6, PageKey::Vol04, 5,
      [this](TfrmMain& m, const Tree& tree, std::mt19937& random) -> const RunJournal& {
        // Paths in many parents, some there, some with missing parents shared
        // between items.
        Paths items = Pick(random, tree.All(), 16);
        for (const std::string& folder : Pick(random, tree.folders, 6)) items.push_back(folder + "\\made\\x");
        for (const std::string& folder : Pick(random, tree.folders, 6)) items.push_back(folder + "\\made\\y");
        for (int i = 0; i < 6; ++i) items.push_back("D:\\T\\New\\n" + std::to_string(random() % 4) + "\\leaf");
        items.push_back("D:\\T\\S\\in\\made");
        std::shuffle(items.begin(), items.end(), random);
        CreateFromPathsPage& page = m.vol04;
        AttachAtRandom(page.structures, random, "D:\\T\\S");
        return Run(page, page.lstVol04IncludeFolderList, items, page.btnCreateFolders);
      },
      [this](TfrmMain& m) { Press(m.vol04.btnUndo); });
  EXPECT_GT(compared, 100u);
  EXPECT_GE(mostAtOnce, 4);
}

TEST_F(ParallelRunTest, CopyIntoNestedDestinations) {
  Compare(
      6, PageKey::Vol08, 8,
      [this](TfrmMain& m, const Tree& tree, std::mt19937& random) -> const RunJournal& {
        CopyPage& page = m.vol08;
        Paths destinations = Pick(random, tree.All(), 20);
        destinations.push_back("D:\\T\\S\\in");
        if (random() % 2 == 0) {
          page.structures.SourceKindClick(SourceKind::Templates);
          page.structures.list.SetItems({"\\A\\B", "\\C", "\\D\\E\\F"});
        } else {
          page.structures.SourceKindClick(SourceKind::Structures);
          page.structures.AttachModeClick(static_cast<AttachMode>(1 + random() % 4));
          page.structures.list.SetItems({"D:\\T\\S"});
        }
        return Run(page, page.include, destinations, page.btnVol08CopyFolders);
      },
      [this](TfrmMain& m) { Press(m.vol08.btnVol08Undo); });
  EXPECT_GT(compared, 100u);
  EXPECT_GE(mostAtOnce, 4);
}

TEST_F(ParallelRunTest, DeleteForGoodInEveryMode) {
  for (unsigned mode = 0; mode < 4; ++mode) {
    SCOPED_TRACE("mode " + std::to_string(mode));
    Compare(
        3, PageKey::Vol07, 6,
        [this, mode](TfrmMain& m, const Tree& tree, std::mt19937& random) -> const RunJournal& {
          DeletePage& page = m.vol07;
          RadioButton* modes[] = {&page.rdoVol07DeleteOnlyFilesInMainFolder, &page.rdoVol07DeleteOnlyFiles,
                                  &page.rdoVol07DeleteSubFolders, &page.rdoVol07DeleteCompleteFolders};
          modes[mode]->Click();
          page.chkVol07MoveToTrash.SetChecked(false);
          page.chkVol07DeleteDoubleConfirm.SetChecked(false);
          return Run(page, page.include, Pick(random, tree.All(), 10), page.btnVol07DeleteFolders);
        },
        {});
  }
  EXPECT_GT(compared, 100u);
  EXPECT_GE(mostAtOnce, 4);
}

TEST_F(ParallelRunTest, RenameNestedFoldersAndTakenNames) {
  Compare(
      6, PageKey::Vol06, 4,
      [this](TfrmMain& m, const Tree& tree, std::mt19937& random) -> const RunJournal& {
        RenamePage& page = m.vol06;
        page.edtVol06NewPrefix.SetText("p");
        page.edtVol06DelimiterPrefixSubFolder.SetText("_");
        // Nested folders (a child before its parent is renamed), repeats,
        // files and links, and one new name that is already there.
        Paths items = Pick(random, tree.All(), 24);
        items.push_back("D:\\T\\top0");
        return Run(page, page.include, items, page.btnVol06RenameFolders);
      },
      [this](TfrmMain& m) { Press(m.vol06.btnVol06Undo); });
  EXPECT_GT(compared, 100u);
  EXPECT_GE(mostAtOnce, 4);
}

// Stopped part-way with sixteen workers: items under way finish, what was
// done is exactly what the records and the journal hold, and Undo (after a
// restart too) takes it all away.
TEST_F(ParallelRunTest, AStoppedRunIsRecordedAndUndoneExactly) {
  Grow(2);
  const Paths before = Disk();
  SetRunJobs(16);
  TfrmMain& m = BeginTemplatesRun(400);
  CreateFromStringsPage& page = m.vol02;
  ui->stopAfter = 40;
  Press(page.btnCreateFolders);
  const std::size_t made = page.records.createdMainFolders.size();
  // A script's stop names the item: the same forty whatever the workers.
  EXPECT_EQ(made, 40u);
  const std::vector<UiCall> messages = ui->Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_NE(messages.back().text.find(std::to_string(400 - made) + " items were not processed."), std::string::npos)
      << messages.back().text;
  // Every main folder on disk is one the run recorded, with what it received.
  Paths onDisk = ListDir("D:\\Dest");
  std::erase_if(onDisk, [](const std::string& name) { return !name.starts_with("P"); });
  EXPECT_EQ(onDisk.size(), made);
  for (const std::string& name : onDisk) EXPECT_TRUE(IsDir("D:\\Dest\\" + name + "\\A\\B")) << name;
  EXPECT_EQ(main->visualLogs.List(PageKey::Vol02, 0).Count(), made);

  m.FormClose();
  TfrmMain& again = Restart();
  EXPECT_EQ(again.vol02.records.createdMainFolders.size(), made);
  Press(again.vol02.btnUndo);
  EXPECT_EQ(Disk(), before);
}

// A failure part-way with sixteen workers (here an exception from the file
// system): nothing new starts, what was done before it is recorded and
// journaled, the tabs unlock, and Undo takes exactly that away.
TEST_F(ParallelRunTest, AFailurePartWayLeavesWhatWasDoneRecordedAndUndoable) {
  Grow(2);
  const Paths before = Disk();
  SetRunJobs(16);
  TfrmMain& m = BeginTemplatesRun(300);
  CreateFromStringsPage& page = m.vol02;
  std::atomic<int> made{0};
  fs.onCall = [&](FsOp op, std::string_view) {
    if (op == FsOp::MakeSubfolder && ++made == 200) throw std::runtime_error("the server went away");
  };
  ui->answers.assign(4, MessageAnswer::Yes);
  EXPECT_THROW(page.btnCreateFolders.Click(), std::runtime_error);
  fs.onCall = nullptr;
  for (TabSheet* tab : m.pgeMain.Pages()) EXPECT_TRUE(tab->Enabled()) << tab->Name();
  // Every main folder on disk was recorded, and nothing half-made is left
  // out of the record: after a restart, Undo leaves the tree as it was.
  const std::size_t recorded = page.records.createdMainFolders.size();
  EXPECT_GT(recorded, 0u);
  EXPECT_LT(recorded, 300u);
  m.FormClose();
  TfrmMain& again = Restart();
  EXPECT_EQ(again.vol02.records.createdMainFolders.size(), recorded);
  Press(again.vol02.btnUndo);
  EXPECT_EQ(Disk(), before);
}

// Automatic stays serial where operations answer at once and goes to
// workers where each waits, as on a file server.
TEST_F(ParallelRunTest, AutomaticGoesToWorkersOnlyWhenTheOperationsAreSlow) {
  for (const auto delay : {std::chrono::microseconds(0), std::chrono::microseconds(400)}) {
    SCOPED_TRACE(std::to_string(delay.count()) + " us per call");
    Grow(2);
    fs.SetDelay(delay);
    SetRunJobs(kAutomaticJobs);
    TfrmMain& m = Begin();
    CreateFromStringsPage& page = m.vol02;
    page.structures.SourceKindClick(SourceKind::Nothing);
    Paths names;
    for (int i = 0; i < 60; ++i) names.push_back("Q" + std::to_string(i));
    page.lstVol02IncludeStrings.SetItems(names);
    page.Refresh();
    fs.ResetInFlight();
    Press(page.btnCreateFolders);
    EXPECT_EQ(page.records.createdMainFolders.size(), 60u);
    if (delay.count() > 100) EXPECT_GT(fs.MostInFlight(), 1);
    else EXPECT_EQ(fs.MostInFlight(), 1);
  }
}

}  // namespace
}  // namespace quillory
