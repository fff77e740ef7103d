#include "operations/attach_engine.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "results/operation_statistics.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

class AttachEngineTest : public TempDriveTest {
 protected:
  FaultFileSystem fs;
  std::vector<AttachStep> steps;

  StepSink Sink() {
    return [this](const AttachStep& s) { steps.push_back(s); };
  }

  // Copies `source` into `target` as a page run would: read once, then copy.
  void Copy(const std::string& source, const std::string& target, AttachMode mode,
            AttachVariant variant = AttachVariant::CreatePage, bool overwrite = false,
            std::vector<std::string> masks = {"*.*"}) {
    const StructureSnapshot snapshot = StructureSnapshot::Read(fs, source);
    totals = ComputeStructureTotals(fs, StructureInput{SourceKind::Structures, {source}, mode, masks, true});
    CopyRequest request;
    request.structure = &snapshot;
    request.target = target;
    request.mode = mode;
    request.variant = variant;
    request.overwriteFiles = overwrite;
    request.masks = masks;
    request.sizeMap = &totals.sizeMap;
    CopyExistingStructure(fs, request, Sink());
  }

  Paths Of(StepKind kind) const {
    Paths out;
    for (const AttachStep& s : steps)
      if (s.kind == kind) out.push_back(s.path);
    return out;
  }

  // Every path below the host folder of `programPath`, relative, sorted;
  // folders end in '/'.
  Paths Tree(const std::string& programPath) {
    Paths out;
    Walk(Host(programPath), "", &out);
    std::sort(out.begin(), out.end());
    return out;
  }

  void MakeProj() {
    MakeFile("D:\\Proj\\Templ\\f.txt", "ff");
    MakeFile("D:\\Proj\\Templ\\a\\g.doc", "ggg");
    MakeDir("D:\\Proj\\Templ\\a\\b");
  }

  StructureTotals totals;

 private:
  void Walk(const std::string& host, const std::string& prefix, Paths* out) {
    for (const std::string& name : ListDir(FromHostForTest(host))) {
      struct stat st {};
      const std::string child = host + "/" + name;
      ::lstat(child.c_str(), &st);
      if (S_ISDIR(st.st_mode)) {
        out->push_back(prefix + name + "/");
        Walk(child, prefix + name + "/", out);
      } else {
        out->push_back(prefix + name);
      }
    }
  }
  std::string FromHostForTest(const std::string& host) { return "D:\\" + host.substr(RootD().size()); }
};

// ---- the guard ----

TEST_F(AttachEngineTest, SourceCheckRefusesEmptyIllegalAndSameFolderTexts) {
  EXPECT_EQ(CheckSourceNotTarget("", "D:\\S").message,
            "The text field is empty !\nAction : You must enter a text to add to the Include Folder List.");
  EXPECT_TRUE(CheckSourceNotTarget("D:\\T", "  ").refused);
  const SourceCheck slash = CheckSourceNotTarget("D:\\T", "\\A/B");
  EXPECT_TRUE(slash.refused);
  EXPECT_EQ(slash.message.rfind("Illegal characters in the text : ", 0), 0u) << slash.message;
  EXPECT_NE(slash.message.find('/'), std::string::npos);

  const SourceCheck same = CheckSourceNotTarget("D:\\Proj\\", "d:\\\\proj");
  EXPECT_TRUE(same.refused);
  EXPECT_EQ(same.message,
            "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
            "Folder !!! \nDestination Folder : D:\\Proj\\\nSource Folder      : d:\\\\proj");
  EXPECT_FALSE(CheckSourceNotTarget("D:\\Proj\\Sub", "D:\\Proj").refused);
  EXPECT_FALSE(CheckSourceNotTarget("D:\\T", "\\project\\project01").refused);
}

// ---- the structure copier ----

TEST_F(AttachEngineTest, TheFourModesLayTheStructureOutAsNamed) {
  MakeProj();
  Copy("D:\\Proj\\Templ", "D:\\M1", AttachMode::MainWithFiles);
  EXPECT_EQ(Tree("D:\\M1"), (Paths{"Templ/", "Templ/a/", "Templ/a/b/", "Templ/a/g.doc", "Templ/f.txt"}));
  EXPECT_EQ(ReadFile("D:\\M1\\Templ\\a\\g.doc"), "ggg");
  EXPECT_EQ(Of(StepKind::BaseCreated), (Paths{"D:\\M1\\Templ"}));
  // M1 itself was missing too: made, and recorded with the base for undo.
  ASSERT_EQ(steps[0].made.size(), 2u);
  EXPECT_EQ(steps[0].made[0].path, "D:\\M1");

  steps.clear();
  Copy("D:\\Proj\\Templ", "D:\\M2", AttachMode::MainWithoutFiles);
  EXPECT_EQ(Tree("D:\\M2"), (Paths{"Templ/", "Templ/a/", "Templ/a/b/"}));
  EXPECT_TRUE(Of(StepKind::FileCopied).empty());

  MakeDir("D:\\M3");
  steps.clear();
  Copy("D:\\Proj\\Templ\\", "D:\\M3", AttachMode::SubWithFiles);
  EXPECT_EQ(Tree("D:\\M3"), (Paths{"a/", "a/b/", "a/g.doc", "f.txt"}));
  EXPECT_TRUE(Of(StepKind::BaseCreated).empty());
  EXPECT_TRUE(Of(StepKind::BaseExists).empty());
  const Paths copied = Of(StepKind::FileCopied);
  EXPECT_EQ(copied, (Paths{"D:\\M3\\f.txt", "D:\\M3\\a\\g.doc"}));
  for (const AttachStep& s : steps)
    if (s.kind == StepKind::FileCopied) {
      EXPECT_TRUE(s.sizeKnown);
      EXPECT_EQ(s.bytes, s.path == "D:\\M3\\f.txt" ? 2u : 3u);
      struct stat st {};
      ASSERT_EQ(::lstat(Host(s.path).c_str(), &st), 0);
      ASSERT_TRUE(s.file.has_value());
      EXPECT_EQ(s.file->inode, static_cast<std::uint64_t>(st.st_ino));
      EXPECT_EQ(s.file->size, s.bytes);
    }

  MakeDir("D:\\M4");
  steps.clear();
  Copy("D:\\Proj\\Templ", "D:\\M4", AttachMode::SubWithoutFiles);
  EXPECT_EQ(Tree("D:\\M4"), (Paths{"a/", "a/b/"}));
  // Created folders carry the identity they had when made.
  ASSERT_EQ(Of(StepKind::SubfolderCreated), (Paths{"D:\\M4\\a", "D:\\M4\\a\\b"}));
  struct stat st {};
  ASSERT_EQ(::stat(Host("D:\\M4\\a\\b").c_str(), &st), 0);
  EXPECT_EQ(steps.back().made.at(0).identity.inode, static_cast<std::uint64_t>(st.st_ino));
}

TEST_F(AttachEngineTest, AStructureHoldingItsTargetIsCopiedAsItStoodAndOnlyOnce) {
  MakeFile("D:\\Proj\\x\\y\\f", "f");
  const StructureSnapshot snapshot = StructureSnapshot::Read(fs, "D:\\Proj");
  MakeDir("D:\\Proj\\Sub");  // the run's main folder, made after the read
  CopyRequest request;
  request.structure = &snapshot;
  request.target = "D:\\Proj\\Sub";
  request.mode = AttachMode::MainWithFiles;
  CopyExistingStructure(fs, request, Sink());
  EXPECT_EQ(Tree("D:\\Proj\\Sub"), (Paths{"Proj/", "Proj/x/", "Proj/x/y/", "Proj/x/y/f"}));

  // An entire disk into a folder on it: the content lands directly in the
  // target, the target's own old content once, and the copy ends.
  MakeFile("D:\\Out\\old", "o");
  steps.clear();
  Copy("D:\\", "D:\\Out", AttachMode::MainWithFiles);
  EXPECT_TRUE(IsFile("D:\\Out\\Proj\\x\\y\\f"));
  EXPECT_TRUE(IsFile("D:\\Out\\Out\\old"));
  EXPECT_FALSE(IsDir("D:\\Out\\Out\\Out"));
  EXPECT_TRUE(Of(StepKind::BaseCreated).empty());
}

TEST_F(AttachEngineTest, ExistingTargetsReceiveFilesAndOnlyPageVol03Overwrites) {
  MakeFile("D:\\S\\sub\\new.txt", "new");
  MakeFile("D:\\S\\keep.txt", "fresh");
  MakeFile("D:\\T\\S\\keep.txt", "old");
  MakeDir("D:\\T\\S\\sub");

  Copy("D:\\S", "D:\\T", AttachMode::MainWithFiles, AttachVariant::CopyPage);
  EXPECT_EQ(ReadFile("D:\\T\\S\\sub\\new.txt"), "new");
  EXPECT_EQ(ReadFile("D:\\T\\S\\keep.txt"), "old");
  EXPECT_EQ(Of(StepKind::BaseExists), (Paths{"D:\\T\\S"}));
  EXPECT_EQ(Of(StepKind::SubfolderExists), (Paths{"D:\\T\\S\\sub"}));
  EXPECT_EQ(Of(StepKind::FileNotCopied), (Paths{"D:\\T\\S\\keep.txt"}));
  EXPECT_EQ(steps[1].error, FsError::Exists);

  // Create pages other than Vol03 do not replace either, and do not report
  // an existing base.
  steps.clear();
  Copy("D:\\S", "D:\\T", AttachMode::MainWithFiles, AttachVariant::CreatePage, false);
  EXPECT_EQ(ReadFile("D:\\T\\S\\keep.txt"), "old");
  EXPECT_TRUE(Of(StepKind::BaseExists).empty());

  steps.clear();
  Copy("D:\\S", "D:\\T", AttachMode::MainWithFiles, AttachVariant::CreatePage, true);
  EXPECT_EQ(ReadFile("D:\\T\\S\\keep.txt"), "fresh");
  EXPECT_EQ(Of(StepKind::FileCopied), (Paths{"D:\\T\\S\\keep.txt", "D:\\T\\S\\sub\\new.txt"}));
  EXPECT_EQ(ListDir("D:\\T\\S"), (Paths{"keep.txt", "sub"}));  // no temporary left
}

TEST_F(AttachEngineTest, CopyPageCopiesFilesFirstMaskByMaskAndTriesADoubleMatchTwice) {
  MakeFile("D:\\S\\a.txt", "a");
  MakeFile("D:\\S\\b.doc", "b");
  MakeFile("D:\\S\\c.bin", "c");
  MakeDir("D:\\S\\aa");
  MakeDir("D:\\T");
  Copy("D:\\S", "D:\\T", AttachMode::SubWithFiles, AttachVariant::CopyPage, false, {"*.txt", "A*", "*.doc"});
  std::vector<std::pair<StepKind, std::string>> seen;
  for (const AttachStep& s : steps) seen.emplace_back(s.kind, s.path);
  EXPECT_EQ(seen, (std::vector<std::pair<StepKind, std::string>>{
                      {StepKind::FileCopied, "D:\\T\\a.txt"},
                      {StepKind::FileNotCopied, "D:\\T\\a.txt"},
                      {StepKind::FileCopied, "D:\\T\\b.doc"},
                      {StepKind::SubfolderCreated, "D:\\T\\aa"},
                  }));
  EXPECT_FALSE(IsFile("D:\\T\\c.bin"));
}

TEST_F(AttachEngineTest, LinksAreCopiedAsLinksAndNothingBeyondThemIsReadOrWritten) {
  MakeFile("D:\\Outside\\secret", "s");
  MakeFile("D:\\S\\in\\f", "f");
  ASSERT_EQ(::symlink(Host("D:\\Outside").c_str(), Host("D:\\S\\out").c_str()), 0);
  ASSERT_EQ(::symlink(Host("D:\\Outside").c_str(), Host("D:\\S\\in\\deeper").c_str()), 0);
  // The target already holds a link where a folder of the structure goes.
  MakeDir("D:\\T\\S");
  ASSERT_EQ(::symlink(Host("D:\\Outside").c_str(), Host("D:\\T\\S\\in").c_str()), 0);
  Paths touched;
  fs.onCall = [&](FsOp, std::string_view path) { touched.emplace_back(path); };
  Copy("D:\\S", "D:\\T", AttachMode::MainWithFiles);
  fs.onCall = nullptr;
  for (const std::string& path : touched) EXPECT_EQ(path.find("Outside"), std::string::npos) << path;
  EXPECT_EQ(ListDir("D:\\Outside"), (Paths{"secret"}));

  char text[512] = {};
  ASSERT_GT(::readlink(Host("D:\\T\\S\\out").c_str(), text, sizeof text - 1), 0);
  EXPECT_EQ(std::string(text), Host("D:\\Outside"));
  const Paths failed = Of(StepKind::SubfolderFailed);
  ASSERT_EQ(failed, (Paths{"D:\\T\\S\\in"}));
  // In name order, as the folder is listed.
  EXPECT_EQ(Of(StepKind::FileNotCopied), (Paths{"D:\\T\\S\\in\\deeper", "D:\\T\\S\\in\\f"}));
  for (const AttachStep& s : steps) {
    if (s.kind == StepKind::SubfolderFailed) {
      EXPECT_EQ(s.error, FsError::Link);
    }
  }
}

TEST_F(AttachEngineTest, AFileThatFailsPartWayLeavesNothingAndCountsAsNotCopied) {
  const std::string mib(1 << 20, 'm');
  MakeFile("D:\\S\\full", mib);
  MakeFile("D:\\S\\bad", mib);
  MakeFile("D:\\S\\ok", "ok");
  MakeDir("D:\\T");
  fs.FailWriteAfter("D:\\T\\full", 512 * 1024, FsError::NoSpace);
  fs.FailReadAfter("D:\\S\\bad", 300 * 1024);
  Copy("D:\\S", "D:\\T", AttachMode::SubWithFiles);
  EXPECT_EQ(ListDir("D:\\T"), (Paths{"ok"}));  // no partial file, no temporary
  Paths notCopied = Of(StepKind::FileNotCopied);
  std::sort(notCopied.begin(), notCopied.end());
  EXPECT_EQ(notCopied, (Paths{"D:\\T\\bad", "D:\\T\\full"}));
  for (const AttachStep& s : steps) {
    if (s.kind != StepKind::FileNotCopied) continue;
    EXPECT_EQ(s.error, s.path == "D:\\T\\full" ? FsError::NoSpace : FsError::Io);
    EXPECT_EQ(s.bytes, mib.size());  // the caller counts the size under not copied
  }
}

TEST_F(AttachEngineTest, AFolderThatCannotBeReadAddsNothingAndIsReported) {
  MakeFile("D:\\S\\good\\g", "g");
  MakeFile("D:\\S\\bad\\b", "b");
  MakeDir("D:\\S\\bad\\below");
  fs.FailOn(FsOp::ReadFolder, "D:\\S\\bad");
  const StructureSnapshot snapshot = StructureSnapshot::Read(fs, "D:\\S");
  EXPECT_EQ(snapshot.UnreadFolders(), (Paths{"D:\\S\\bad"}));
  fs.Clear();
  CopyRequest request;
  request.structure = &snapshot;
  request.target = "D:\\T";
  request.mode = AttachMode::SubWithFiles;
  CopyExistingStructure(fs, request, Sink());
  EXPECT_EQ(Tree("D:\\T"), (Paths{"bad/", "good/", "good/g"}));
  EXPECT_FALSE(steps.back().sizeKnown);  // no size map given
  EXPECT_LE(fs.MostOpenFolders(), 4);
  EXPECT_EQ(fs.OpenFolders(), 0);
}

TEST_F(AttachEngineTest, ASmallFileIsReadOnceForEveryTargetAndAFailureStillLeavesNothing) {
  MakeFile("D:\\S\\f", "small");
  MakeFile("D:\\S\\bad", "unreadable");
  for (const char* t : {"D:\\T1", "D:\\T2", "D:\\T3"}) MakeDir(t);
  const StructureSnapshot snapshot = StructureSnapshot::Read(fs, "D:\\S");
  fs.FailReadAfter("D:\\S\\bad", 3);
  fs.FailWriteAfter("D:\\T2\\f", 2, FsError::NoSpace);
  CopyRequest request;
  request.structure = &snapshot;
  request.mode = AttachMode::SubWithFiles;
  for (const char* t : {"D:\\T1", "D:\\T2", "D:\\T3"}) {
    request.target = t;
    CopyExistingStructure(fs, request, Sink());
  }
  EXPECT_EQ(fs.Calls(FsOp::OpenInputFileAt), 2);  // f and bad, once each
  EXPECT_EQ(ReadFile("D:\\T1\\f"), "small");
  EXPECT_EQ(ReadFile("D:\\T3\\f"), "small");
  EXPECT_EQ(ListDir("D:\\T2"), Paths{});
  for (const char* t : {"D:\\T1", "D:\\T3"}) EXPECT_EQ(ListDir(t), (Paths{"f"}));
  Paths notCopied = Of(StepKind::FileNotCopied);
  std::sort(notCopied.begin(), notCopied.end());
  EXPECT_EQ(notCopied, (Paths{"D:\\T1\\bad", "D:\\T2\\bad", "D:\\T2\\f", "D:\\T3\\bad"}));
}

// ---- templates ----

TEST_F(AttachEngineTest, TemplateKindsBuildTheDocumentedPaths) {
  MakeDir("D:\\Cust\\Acme");
  const TemplateKind without{TemplateKindCode::WithoutFirst, {}};
  const TemplateKind replaced{TemplateKindCode::FirstReplaced, {}};
  const TemplateKind whole{TemplateKindCode::WholePaths, {}};
  const TemplateKind terms{TemplateKindCode::SearchTerms, "CUST"};
  const auto Apply = [&](const std::string& line, const TemplateKind& kind) {
    return ApplyTemplateLine(fs, "D:\\Cust\\Acme", line, kind, AttachVariant::CreatePage);
  };
  EXPECT_EQ(Apply("\\project\\project01", without).path, "D:\\Cust\\Acme\\project01");
  EXPECT_TRUE(IsDir("D:\\Cust\\Acme\\project01"));
  EXPECT_FALSE(IsDir("D:\\Cust\\Acme\\project"));
  EXPECT_EQ(Apply("\\project\\Project\\x", replaced).path, "D:\\Cust\\Acme\\Acme\\x");
  EXPECT_TRUE(IsDir("D:\\Cust\\Acme\\Acme\\x"));
  EXPECT_EQ(Apply("\\A\\\\B\\\\\\C", whole).path, "D:\\Cust\\Acme\\A\\B\\C");
  EXPECT_TRUE(IsDir("D:\\Cust\\Acme\\A\\B\\C"));
  EXPECT_EQ(Apply("\\cust-x\\in", terms).path, "D:\\Cust\\Acme\\Acme-x\\in");
  EXPECT_EQ(Apply("\\single", without).kind, StepKind::TemplateRejected);
}

TEST_F(AttachEngineTest, TemplateLinesThatLeaveTheTargetOrNameADriveAreRejectedUntried) {
  MakeDir("D:\\T");
  const TemplateKind whole{TemplateKindCode::WholePaths, {}};
  for (const std::string line : {"D:\\X", "\\a\\..\\..\\esc", "\\.\\a", "\\\\\\"}) {
    steps.clear();
    const AttachStep step = ApplyTemplateLine(fs, "D:\\T", line, whole, AttachVariant::CopyPage, Sink());
    EXPECT_EQ(step.kind, StepKind::TemplateRejected) << line;
    EXPECT_EQ(step.path, line);
    EXPECT_EQ(steps.size(), 1u);
  }
  EXPECT_EQ(ListDir("D:\\T"), Paths{});
  EXPECT_EQ(ListDir("D:\\"), (Paths{"T"}));
}

TEST_F(AttachEngineTest, OnlyTheCopyPageTestsWhetherATemplateFolderExists) {
  MakeDir("D:\\T");
  const TemplateKind whole{TemplateKindCode::WholePaths, {}};
  AttachStep first = ApplyTemplateLine(fs, "D:\\T", "\\a\\b", whole, AttachVariant::CopyPage);
  EXPECT_EQ(first.kind, StepKind::TemplateCreated);
  EXPECT_EQ(first.made.size(), 2u);
  EXPECT_EQ(ApplyTemplateLine(fs, "D:\\T", "\\a\\b", whole, AttachVariant::CopyPage).kind, StepKind::TemplateExists);
  const AttachStep again = ApplyTemplateLine(fs, "D:\\T", "\\a\\b", whole, AttachVariant::CreatePage);
  EXPECT_EQ(again.kind, StepKind::TemplateCreated);
  EXPECT_TRUE(again.made.empty());  // nothing of it is undo's to remove

  MakeFile("D:\\T\\file");
  EXPECT_EQ(ApplyTemplateLine(fs, "D:\\T", "\\file\\x", whole, AttachVariant::CreatePage).kind,
            StepKind::TemplateFailed);
  ASSERT_EQ(::symlink(RootC().c_str(), Host("D:\\T\\link").c_str()), 0);
  const AttachStep link = ApplyTemplateLine(fs, "D:\\T", "\\link\\x", whole, AttachVariant::CreatePage);
  EXPECT_EQ(link.kind, StepKind::TemplateFailed);
  EXPECT_EQ(link.error, FsError::Link);
  EXPECT_EQ(ListDir("C:\\"), Paths{});
}

// ---- before a run ----

TEST_F(AttachEngineTest, TotalsCountFoldersByModeAndFilesByMask) {
  MakeProj();
  const auto Totals = [&](AttachMode mode, std::vector<std::string> masks, bool withFiles) {
    return ComputeStructureTotals(fs, StructureInput{SourceKind::Structures, {"D:\\Proj\\Templ", " "}, mode,
                                                     std::move(masks), withFiles});
  };
  const StructureTotals main = Totals(AttachMode::MainWithFiles, {"*.*"}, true);
  EXPECT_EQ(main.folders, 3u);
  EXPECT_EQ(main.files, 2u);
  EXPECT_EQ(main.bytes, 5u);
  EXPECT_EQ(main.sizeMap.at("D:\\Proj\\Templ\\a\\g.doc"), 3u);
  const StructureTotals sub = Totals(AttachMode::SubWithFiles, {"*.doc", "g*"}, true);
  EXPECT_EQ(sub.folders, 2u);
  EXPECT_EQ(sub.files, 2u);  // g.doc met by both masks
  EXPECT_EQ(sub.bytes, 6u);
  EXPECT_EQ(Totals(AttachMode::MainWithoutFiles, {"*.*"}, false).bytes, 0u);

  const StructureTotals templates =
      ComputeStructureTotals(fs, StructureInput{SourceKind::Templates, {"\\a\\b", "\\c"}, {}, {"*.*"}, false});
  EXPECT_EQ(templates.folders, 2u);
}

TEST_F(AttachEngineTest, TotalsAreWalkedOncePerInputUntilARunAsksAfresh) {
  MakeProj();
  StructureTotalsCache cache;
  StructureInput input{SourceKind::Structures, {"D:\\Proj\\Templ"}, AttachMode::MainWithFiles, {"*.*"}, true};
  const auto reads = [&] { return fs.Calls(FsOp::ReadFolder) + fs.Calls(FsOp::OpenFolder); };
  EXPECT_EQ(cache.Get(fs, input).files, 2u);
  const int once = reads();
  EXPECT_GT(once, 0);
  for (int i = 0; i < 5; ++i) cache.Get(fs, input);  // e.g. include items added one by one
  EXPECT_EQ(reads(), once);
  input.masks = {"*.txt"};
  EXPECT_EQ(cache.Get(fs, input).files, 1u);
  EXPECT_EQ(reads(), 2 * once);
  MakeFile("D:\\Proj\\Templ\\more.txt", "m");
  EXPECT_EQ(cache.Get(fs, input).files, 1u);  // unchanged input: no walk
  EXPECT_EQ(cache.Fresh(fs, input).files, 2u);
  cache.Invalidate();
  cache.Get(fs, input);
  EXPECT_EQ(reads(), 4 * once);
}

TEST_F(AttachEngineTest, FreeSpaceIsCheckedPerDriveCaseBlindAndFillsTheForecastRow) {
  StructureTotals totals;
  totals.folders = 3;
  totals.files = 4;
  totals.bytes = 10;
  EXPECT_FALSE(CheckFreeSpace(fs, PageKey::Vol08, totals, {" ", ""}).ok);
  EXPECT_FALSE(CheckFreeSpace(fs, PageKey::Vol08, totals, {}).message.has_value());

  const FreeSpaceResult fits = CheckFreeSpace(fs, PageKey::Vol08, totals, {"D:\\A", "D:\\A\\B", "C:\\X"});
  ASSERT_TRUE(fits.ok);
  EXPECT_EQ(fits.mainFolders, 2);  // D:\A\B lies in D:\A
  EXPECT_EQ(fits.folders, 6);
  EXPECT_EQ(fits.files, 8);
  EXPECT_EQ(fits.bytes, 20);
  OperationStatistics stats(PageCounterNames(PageKey::Vol08));
  SetForecastRow(stats, PageKey::Vol08, fits);
  EXPECT_EQ(stats.Get("FileSizeToCopy"), 20);

  // Each of two folders fits alone; "D:" and "d:" are one disk and the two
  // together do not.
  const std::uint64_t free = *fs.FreeSpace("D:\\");
  totals.bytes = free / 10 * 6;
  ASSERT_TRUE(CheckFreeSpace(fs, PageKey::Vol03, totals, {"D:\\A"}).ok);
  const FreeSpaceResult full = CheckFreeSpace(fs, PageKey::Vol03, totals, {"D:\\A", "d:\\B"});
  EXPECT_FALSE(full.ok);
  ASSERT_TRUE(full.message.has_value());
  EXPECT_EQ(full.message->caption, "Creating Folder(s).-Increased Numbers.            Information no: 0100.");
  const std::string need = std::to_string(2 * totals.bytes);
  EXPECT_EQ(full.message->text.rfind("There is not enough space on the disk.\nThe free space on the disk D:\\ is : ", 0),
            0u)
      << full.message->text;
  EXPECT_NE(full.message->text.find("\nThe program requires : " + FormatByteSize(2 * totals.bytes) + "    " + need +
                                    " bytes."),
            std::string::npos)
      << full.message->text;
}

}  // namespace
}  // namespace quillory
