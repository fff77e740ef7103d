// A simulation shows what the run would do. On seeded random trees and lists
// (folders there and missing, missing parents, links below the aimed
// folder, read-only files, names of 255 bytes, repeats) each page's
// simulation runs first, then the run on the same disk, and their Visual
// Log lists and counters must agree but where the documents make them
// differ, which `Documented` below names in one place per page.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/ui.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "operations/rename_engine.h"
#include "platform/path_text.h"
#include "operations/copy_page.h"
#include "operations/operation_page.h"
#include "operations/paths_page.h"
#include "operations/strings_page.h"
#include "shell/main_window.h"
#include "structures/structures_group.h"
#include "support/app_fixture.h"
#include "support/random_attach.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

// What a run or a simulation showed: every Visual Log list, sorted (a run
// may go in another order than its simulation, deepest first), and every
// counter.
struct Shown {
  std::vector<Paths> lists;
  std::vector<double> counters;
};

// A random tree below D:\T, remembered as program paths.
struct Tree {
  Paths folders, files, links, missing;
};

std::string Name(std::mt19937& random, std::size_t i) {
  switch (random() % 8) {
    case 0: return std::string(255 - std::to_string(i).size(), 'n') + std::to_string(i);  // the longest a host takes
    case 1: return "Sp ace " + std::to_string(i);
    case 2: return "caf\xc3\xa9" + std::to_string(i);
    default: return "f" + std::to_string(i);
  }
}

class SimulationMatchesRunTest : public PagesTest {
 protected:
  Tree Grow(std::mt19937& random) {
    Tree tree;
    MakeDir("D:\\T");
    MakeDir("D:\\Out\\kept");
    Paths level = {"D:\\T"};
    std::size_t n = 0;
    for (int depth = 0; depth < 3; ++depth) {
      Paths next;
      for (const std::string& parent : level) {
        const int children = static_cast<int>(random() % 4);
        for (int c = 0; c < children; ++c) {
          const std::string path = parent + "\\" + Name(random, n++);
          if (path.size() > 240 && depth > 0) continue;  // keep paths the host can still name
          MakeDir(path);
          tree.folders.push_back(path);
          next.push_back(path);
          if (random() % 2 == 0) {
            const std::string file = path + "\\file" + std::to_string(n++) + ".txt";
            MakeFile(file, "data");
            if (random() % 3 == 0) ::chmod(Host(file).c_str(), 0444);
            tree.files.push_back(file);
          }
        }
        if (random() % 4 == 0) {
          // A link below the aimed folder, to a folder inside or outside it.
          const std::string link = parent + "\\link" + std::to_string(n++);
          const std::string to = random() % 2 ? Host("D:\\Out") : Host(parent);
          EXPECT_EQ(::symlink(to.c_str(), Host(link).c_str()), 0);
          tree.links.push_back(link);
        }
        tree.missing.push_back(parent + "\\missing" + std::to_string(n++) + "\\below");
      }
      level = std::move(next);
    }
    return tree;
  }

  // `count` picks among everything the tree names, repeats included.
  Paths Pick(std::mt19937& random, const Tree& tree, std::size_t count) {
    Paths all = tree.folders;
    all.insert(all.end(), tree.links.begin(), tree.links.end());
    all.insert(all.end(), tree.missing.begin(), tree.missing.end());
    all.insert(all.end(), tree.files.begin(), tree.files.end());
    Paths picked;
    for (std::size_t i = 0; i < count && !all.empty(); ++i) picked.push_back(all[random() % all.size()]);
    return picked;
  }

  Shown Read(PageKey page, std::size_t lists) {
    Shown shown;
    for (std::size_t i = 0; i < lists; ++i) {
      Paths items = main->visualLogs.List(page, i).Items();
      std::sort(items.begin(), items.end());
      shown.lists.push_back(std::move(items));
    }
    const OperationStatistics& stats = main->visualLogs.Stats(page);
    for (std::size_t i = 0; i < stats.Names().size(); ++i) shown.counters.push_back(stats.At(i));
    return shown;
  }

  void Press(Button& button) {
    ui->answers.assign(4, MessageAnswer::Yes);
    ASSERT_TRUE(button.Click()) << button.Name();
    ui->answers.clear();
  }

  bool OnDisk(const std::string& path) {
    struct stat st {};
    return ::lstat(Host(path).c_str(), &st) == 0;
  }

  // A create page's simulation, then its run, of `items` but those the
  // documents make differ (`documented` of the item and how often it is
  // listed).
  template <class Page>
  void CompareCreate(Page& page, ListBox& include, Paths items,
                     const std::function<bool(const std::string&, int)>& documented, const std::string& what) {
    const Paths listed = items;
    std::erase_if(items, [&](const std::string& item) {
      return documented(item, static_cast<int>(std::count(listed.begin(), listed.end(), item)));
    });
    if (items.empty()) return;
    include.SetItems(items);
    page.Refresh();
    Press(page.btnCreateFoldersSimulation);
    const Shown simulated = Read(page.descriptor.key, 5);
    Press(page.btnCreateFolders);
    const Shown run = Read(page.descriptor.key, 5);
    ExpectSame(simulated, run, CreatePageCounterNames(), what);
    EXPECT_TRUE(IsDir("D:\\Out\\kept"));
  }

  // Lines compared over all seeds: a generator gone wrong would compare
  // nothing and pass.
  std::size_t compared = 0;

  void ExpectSame(const Shown& simulated, const Shown& run, const std::vector<std::string>& names,
                  const std::string& what) {
    for (const Paths& list : run.lists) compared += list.size();
    ASSERT_EQ(simulated.lists.size(), run.lists.size());
    for (std::size_t i = 0; i < run.lists.size(); ++i)
      EXPECT_EQ(simulated.lists[i], run.lists[i]) << what << ": list " << i;
    for (std::size_t i = 0; i < run.counters.size(); ++i)
      EXPECT_EQ(simulated.counters[i], run.counters[i]) << what << ": counter " << names[i];
  }
};

// ---- where the documents make a simulation differ from its run ----
//
// Rename: the simulation asks the disk only whether folders are there and
// remembers only the new paths it gave away, in list order. So an item that
// is a file, whose new name is taken on disk (listed by the new path where
// the run lists the item), or that is repeated (the second finds the name
// taken, where the run finds the source gone) is left out of the input, and
// so is a line longer than a simulation's candidate may be (it lists the
// line where the run tries it and lists the new path).
bool RenameDocumented(const std::string& item, const std::string& target, int timesListed,
                      const std::function<bool(const std::string&)>& onDisk,
                      const std::function<bool(const std::string&)>& isFile) {
  return timesListed > 1 || isFile(item) || onDisk(target) || item.size() > kMaxSimulatedPathChars;
}

// Delete: the simulation counts every file and folder of a tree as deleted,
// where the run deleting for good refuses a read-only file and so keeps the
// folders holding it; and it lists a main folder longer than a candidate may
// be among the other reasons, where every run walks it. Those lines are left
// out of both sides, and of their counters.
bool DeleteDocumented(const std::string& line, const Paths& readOnlyFiles, const Paths& longMainFolders) {
  for (const std::string& file : readOnlyFiles)
    if (file == line || file.starts_with(line + "\\")) return true;
  for (const std::string& folder : longMainFolders)
    if (folder == line || line.starts_with(folder + "\\")) return true;
  return false;
}

// Create from strings: the simulation takes a folder found at the new path
// as already there and any other path as made, where the run finds a file
// or a link there or on its way (other reasons); and it remembers nothing
// it would have made, so a repeated string is created twice. Those strings
// are left out of the input.
bool CreateDocumented(const std::string& target, int timesListed, const std::function<bool(const std::string&)>& onDisk,
                      const std::function<bool(const std::string&)>& isDir) {
  if (timesListed > 1) return true;
  for (std::size_t cut = target.find('\\', 3); ; cut = target.find('\\', cut + 1)) {
    const std::string part = target.substr(0, cut);
    if (onDisk(part) && !isDir(part)) return true;
    if (cut == std::string::npos) return false;
  }
}

// Create from a folder list: as from strings, and a line longer than a
// simulation's candidate may be is other reasons there, where the run
// tries it.
bool PathsDocumented(const std::string& path, int timesListed, const std::function<bool(const std::string&)>& onDisk,
                     const std::function<bool(const std::string&)>& isDir) {
  return CreateDocumented(path, timesListed, onDisk, isDir) || path.size() > kMaxSimulatedPathChars;
}

// Copy: the simulation asks the disk whether a template folder is there,
// remembering nothing it would make, so a line naming a folder an earlier
// line makes on its way ("\\A" after "\\A\\B") is created in the simulation
// and found by the run. The copy's template lines leave that case out.
const Paths kCopyTemplateLines = {"\\A\\B", "\\C", "\\D\\E\\F"};

// Takes the lines `documented` names out of every list and out of the
// counter each list is counted in.
void LeaveOut(Shown& shown, const std::vector<std::size_t>& counterOfList,
              const std::function<bool(const std::string&)>& documented) {
  for (std::size_t i = 0; i < shown.lists.size(); ++i) {
    const auto before = shown.lists[i].size();
    std::erase_if(shown.lists[i], documented);
    shown.counters[counterOfList[i]] -= static_cast<double>(before - shown.lists[i].size());
  }
}

TEST_F(SimulationMatchesRunTest, Rename) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    RemoveTree(Host("D:\\T"));
    const Tree tree = Grow(random);
    Paths items = Pick(random, tree, 12);
    RenamePage& page = main->vol06;
    page.edtVol06NewPrefix.SetText(random() % 2 ? "p" : "");
    page.edtVol06DelimiterPrefixSubFolder.SetText("_");
    page.edtVol06NewSuffix.SetText(random() % 3 ? "s" : std::string(20, 's'));
    // Names the documents treat differently leave the comparison.
    const auto isFile = [this](const std::string& path) { return IsFile(path); };
    const auto onDisk = [this](const std::string& path) { return OnDisk(path); };
    const Paths listed = items;
    std::erase_if(items, [&](const std::string& item) {
      const int times = static_cast<int>(std::count(listed.begin(), listed.end(), item));
      return RenameDocumented(item, ComposeNewPath(item, page.Options()), times, onDisk, isFile);
    });
    if (items.empty()) continue;
    page.include.SetItems(items);
    page.Refresh();
    Press(page.btnVol06RenameFoldersSimulation);
    const Shown simulated = Read(PageKey::Vol06, 4);
    Press(page.btnVol06RenameFolders);
    const Shown run = Read(PageKey::Vol06, 4);
    ExpectSame(simulated, run, PageCounterNames(PageKey::Vol06), "rename");
  }
  EXPECT_GT(compared, 40u);
}

// Each mode both ways: deleting for good, where the documents part the
// simulation from the run on read-only files, and into the trash, where
// nothing read-only is refused.
TEST_F(SimulationMatchesRunTest, DeleteInEveryModeForGoodAndIntoTheTrash) {
  RadioButton* modes[] = {&main->vol07.rdoVol07DeleteOnlyFilesInMainFolder, &main->vol07.rdoVol07DeleteOnlyFiles,
                          &main->vol07.rdoVol07DeleteSubFolders, &main->vol07.rdoVol07DeleteCompleteFolders};
  for (unsigned seed = 1; seed <= 16; ++seed) {
    const bool trash = seed % 2 == 0;
    const unsigned mode = (seed / 2) % 4;
    SCOPED_TRACE("seed " + std::to_string(seed) + (trash ? ", into the trash" : ", for good"));
    std::mt19937 random(seed);
    RemoveTree(Host("D:\\T"));
    const Tree tree = Grow(random);
    DeletePage& page = main->vol07;
    modes[mode]->Click();
    page.chkVol07MoveToTrash.SetChecked(trash);
    page.include.SetItems(Pick(random, tree, 6));
    page.Refresh();
    Paths readOnly;
    for (const std::string& file : tree.files) {
      struct stat st {};
      if (::stat(Host(file).c_str(), &st) == 0 && (st.st_mode & S_IWUSR) == 0) readOnly.push_back(file);
    }
    Paths there;
    for (const Paths* kind : {&tree.folders, &tree.files, &tree.links})
      for (const std::string& path : *kind)
        if (OnDisk(path)) there.push_back(path);
    Press(page.btnVol07DeleteFoldersSimulation);
    Shown simulated = Read(PageKey::Vol07, 6);
    Press(page.btnVol07DeleteFolders);
    Shown run = Read(PageKey::Vol07, 6);
    // Into the trash nothing read-only is refused.
    if (trash) readOnly.clear();
    Paths longMainFolders;
    for (const std::string& item : page.include.Items())
      if (item.size() > kMaxSimulatedPathChars) longMainFolders.push_back(item);
    const std::vector<std::size_t> counterOfList = {
        Id(DeleteCounter::FoldersDeleted).index, Id(DeleteCounter::FoldersNotExists).index,
        Id(DeleteCounter::FoldersOtherReasons).index, Id(DeleteCounter::FilesDeleted).index,
        Id(DeleteCounter::FilesNotExists).index, Id(DeleteCounter::FilesOtherReasons).index};
    const auto documented = [&](const std::string& line) { return DeleteDocumented(line, readOnly, longMainFolders); };
    LeaveOut(simulated, counterOfList, documented);
    LeaveOut(run, counterOfList, documented);
    ExpectSame(simulated, run, PageCounterNames(PageKey::Vol07), "delete mode " + std::to_string(mode));
    EXPECT_TRUE(IsDir("D:\\Out\\kept"));  // a link below was never followed
    if (trash) {
      // What went can all come back.
      Press(page.btnVol07Undo);
      EXPECT_TRUE(page.FailedRestoreRecord.empty());
      for (const std::string& path : there) EXPECT_TRUE(OnDisk(path)) << path << " did not come back";
    }
  }
  EXPECT_GT(compared, 50u);
}

TEST_F(SimulationMatchesRunTest, CreateFromStrings) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    RemoveTree(Host("D:\\T"));
    RemoveTree(Host("D:\\Dest"));
    const Tree tree = Grow(random);
    MakeDir("D:\\Dest");
    // What is in the destination already: folders, a file, a link.
    MakeDir("D:\\Dest\\there");
    MakeFile("D:\\Dest\\afile");
    EXPECT_EQ(::symlink(Host("D:\\Out").c_str(), Host("D:\\Dest\\alink").c_str()), 0);
    const Paths pool = {"there", "afile", "alink", "new", "new\\deeper\\still", "there\\below", "Sp ace",
                        std::string(255, 'a'), std::string(256, 'b'), "caf\xc3\xa9", "x" + std::to_string(seed)};
    Paths items;
    for (int i = 0; i < 8; ++i) items.push_back(pool[random() % pool.size()]);
    CreateFromStringsPage& page = main->vol02;
    AttachAtRandom(page.structures, random, "D:\\T");
    const auto onDisk = [this](const std::string& path) { return OnDisk(path); };
    const auto isDir = [this](const std::string& path) { return IsDir(path); };
    CompareCreate(page, page.lstVol02IncludeStrings, items, [&](const std::string& item, int times) {
      return CreateDocumented("D:\\Dest\\" + item, times, onDisk, isDir);
    }, "create from strings");
  }
  EXPECT_GT(compared, 40u);
}

TEST_F(SimulationMatchesRunTest, CreateFromAFolderList) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    RemoveTree(Host("D:\\T"));
    const Tree tree = Grow(random);
    Paths items = Pick(random, tree, 8);
    for (const std::string& folder : Pick(random, tree, 3)) items.push_back(folder + "\\made");
    CreateFromPathsPage& page = main->vol04;
    AttachAtRandom(page.structures, random, "D:\\T");
    const auto onDisk = [this](const std::string& path) { return OnDisk(path); };
    const auto isDir = [this](const std::string& path) { return IsDir(path); };
    CompareCreate(page, page.lstVol04IncludeFolderList, items, [&](const std::string& item, int times) {
      return PathsDocumented(item, times, onDisk, isDir);
    }, "create from a folder list");
  }
  EXPECT_GT(compared, 40u);
}

TEST_F(SimulationMatchesRunTest, CopyIntoFolders) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    RemoveTree(Host("D:\\T"));
    RemoveTree(Host("D:\\S"));
    const Tree tree = Grow(random);
    // The structure copied: a few folders and files, one read-only.
    MakeFile("D:\\S\\in\\f.txt", "data");
    MakeFile("D:\\S\\in\\deep\\g.txt", "more");
    ::chmod(Host("D:\\S\\in\\f.txt").c_str(), 0444);
    MakeDir("D:\\S\\empty");
    CopyPage& page = main->vol08;
    page.include.SetItems(Pick(random, tree, 5));
    switch (random() % 2) {
      case 0:
        page.structures.SourceKindClick(SourceKind::Templates);
        page.structures.list.SetItems(kCopyTemplateLines);
        break;
      default:
        page.structures.SourceKindClick(SourceKind::Structures);
        page.structures.AttachModeClick(static_cast<AttachMode>(1 + random() % 4));
        page.structures.list.SetItems({"D:\\S"});
        break;
    }
    page.Refresh();
    Press(page.btnVol08CopyFoldersSimulation);
    const Shown simulated = Read(PageKey::Vol08, 7);
    Press(page.btnVol08CopyFolders);
    const Shown run = Read(PageKey::Vol08, 7);
    ExpectSame(simulated, run, PageCounterNames(PageKey::Vol08), "copy");
    EXPECT_TRUE(IsDir("D:\\Out\\kept"));
    EXPECT_EQ(ListDir("D:\\Out\\kept"), Paths{});
  }
  EXPECT_GT(compared, 40u);
}

}  // namespace
}  // namespace quillory
