#include "operations/attach_recorder.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/controls.h"
#include "results/visual_logs.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Counts = std::map<std::string, double>;

class AttachRecorderTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    main = &Start();
    ui->ClearCalls();
  }

  static AttachStep Step(StepKind kind, std::string path, std::uint64_t bytes = 0) {
    AttachStep step;
    step.kind = kind;
    step.path = std::move(path);
    step.source = "D:\\Src\\" + step.path.substr(step.path.rfind('\\') + 1);
    step.bytes = bytes;
    return step;
  }

  // The counters a step changed, by name.
  Counts Deltas(PageKey page, const AttachStep& step, AttachRecorder& recorder) {
    OperationStatistics& stats = main->visualLogs.Stats(page);
    std::vector<double> before;
    for (const std::string& name : stats.Names()) before.push_back(stats.Get(name));
    recorder.Record(step);
    Counts changed;
    for (std::size_t i = 0; i < stats.Names().size(); ++i)
      if (stats.At(i) != before[i]) changed[stats.Names()[i]] = stats.At(i) - before[i];
    return changed;
  }

  const std::vector<std::string>& Items(PageKey page, std::size_t list) {
    return main->visualLogs.List(page, list).Items();
  }

  TfrmMain* main = nullptr;
};

TEST_F(AttachRecorderTest, CreatePagesCountEveryOutcomeByTheirColumn) {
  AttachRecords records;
  AttachRecorder recorder(PageKey::Vol03, main->visualLogs.Stats(PageKey::Vol03), records, &main->visualLogs);
  recorder.SetRejectedTotals(true, 3, 4, 50);
  const auto P = PageKey::Vol03;
  AttachStep base = Step(StepKind::BaseCreated, "D:\\T\\S");
  base.made = {MadeFolder{"D:\\T", {1, 2}}, MadeFolder{"D:\\T\\S", {1, 3}}};
  EXPECT_EQ(Deltas(P, base, recorder), (Counts{{"SubFoldersCreated", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::BaseExists, "D:\\T\\S"), recorder), Counts{});
  EXPECT_EQ(Deltas(P, Step(StepKind::SubfolderExists, "D:\\T\\S\\a"), recorder), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::SubfolderFailed, "D:\\T\\S\\b"), recorder), (Counts{{"SubFoldersOther", 1}}));
  AttachStep copied = Step(StepKind::FileCopied, "D:\\T\\S\\f", 7);
  copied.file = FileIdentity{1, 9, 7, 100, 5};
  EXPECT_EQ(Deltas(P, copied, recorder), (Counts{{"FilesCreated", 1}, {"FilesSizeCreated", 7}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::FileNotCopied, "D:\\T\\S\\g", 11), recorder),
            (Counts{{"FilesExists", 1}, {"FilesSizeExists", 11}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::TemplateCreated, "D:\\T\\x"), recorder), (Counts{{"SubFoldersCreated", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::TemplateFailed, "D:\\T\\y"), recorder), (Counts{{"FoldersExists", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::TemplateRejected, "D:\\line"), recorder),
            (Counts{{"FoldersOther", 1}, {"SubFoldersOther", 3}, {"FilesOther", 4}, {"FilesSizeOther", 50}}));

  EXPECT_EQ(records.createdFolders, (std::vector<std::string>{"D:\\T\\S", "D:\\T\\x"}));
  EXPECT_EQ(records.madeFolders, base.made);
  EXPECT_EQ(records.copiedFiles, (std::vector<std::string>{"D:\\T\\S\\f"}));
  EXPECT_EQ(records.copiedFileIds, (std::vector<CopiedFile>{{"D:\\T\\S\\f", *copied.file}}));
  recorder.Flush();
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CreateList::SubFoldersCreated)),
            (std::vector<std::string>{"D:\\T\\S", "D:\\T\\x"}));
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CreateList::FilesCreated)), (std::vector<std::string>{"D:\\T\\S\\f"}));
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CreateList::FoldersExists)), (std::vector<std::string>{"D:\\T\\y"}));
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CreateList::FoldersOther)), (std::vector<std::string>{"D:\\line"}));
  EXPECT_EQ(main->FindAs<Label>("lblVol03SubFoldersCreated")->Caption(), "2");
}

TEST_F(AttachRecorderTest, TheCopyPageCountsFailuresItsOwnWay) {
  AttachRecords records;
  const auto P = PageKey::Vol08;
  AttachRecorder recorder(P, main->visualLogs.Stats(P), records, &main->visualLogs);
  recorder.SetRejectedTotals(true, 3, 4, 50);  // never used on this page
  EXPECT_EQ(Deltas(P, Step(StepKind::BaseCreated, "D:\\T\\S"), recorder), (Counts{{"SubFoldersCopied", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::BaseExists, "D:\\U\\S"), recorder), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::SubfolderFailed, "D:\\T\\S\\b"), recorder), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::FileCopied, "D:\\T\\S\\f", 7), recorder),
            (Counts{{"FilesCopied", 1}, {"FileSizeCopied", 7}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::FileNotCopied, "D:\\T\\S\\g", 11), recorder),
            (Counts{{"FilesExists", 1}, {"FileSizeExists", 11}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::TemplateExists, "D:\\T\\x"), recorder), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::TemplateFailed, "D:\\T\\y"), recorder),
            (Counts{{"SubFoldersExists", 1}, {"SubFoldersOtherReasons", 1}}));
  EXPECT_EQ(Deltas(P, Step(StepKind::TemplateRejected, "\\l:ine"), recorder),
            (Counts{{"SubFoldersOtherReasons", 1}}));
  recorder.Flush();
  using L = std::vector<std::string>;
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CopyList::SubFoldersCopied)), (L{"D:\\T\\S"}));
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CopyList::SubFoldersExists)),
            (L{"D:\\U\\S", "D:\\T\\S\\b", "D:\\T\\x"}));
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CopyList::FilesCopied)), (L{"D:\\T\\S\\f"}));
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CopyList::FilesExists)), (L{"D:\\T\\S\\g"}));
  EXPECT_EQ(Items(P, static_cast<std::size_t>(CopyList::SubFoldersOtherReasons)), (L{"D:\\T\\y", "\\l:ine"}));
  EXPECT_EQ(records.createdFolders, (L{"D:\\T\\S"}));
  EXPECT_EQ(main->FindAs<Label>("lblVol08FilesExists")->Caption(), "1");
}

TEST_F(AttachRecorderTest, RejectedLinesAddTotalsOnlyWhereThePagesSaySo) {
  EXPECT_TRUE(RejectedLineAddsTotals(PageKey::Vol02, SourceKind::Templates, AttachMode::SubWithoutFiles));
  EXPECT_FALSE(RejectedLineAddsTotals(PageKey::Vol02, SourceKind::Nothing, AttachMode::MainWithFiles));
  EXPECT_TRUE(RejectedLineAddsTotals(PageKey::Vol04, SourceKind::Templates, AttachMode::SubWithFiles));
  EXPECT_FALSE(RejectedLineAddsTotals(PageKey::Vol03, SourceKind::Templates, AttachMode::MainWithoutFiles));
  EXPECT_FALSE(RejectedLineAddsTotals(PageKey::Vol08, SourceKind::Templates, AttachMode::MainWithFiles));

  AttachRecords records;
  AttachRecorder recorder(PageKey::Vol04, main->visualLogs.Stats(PageKey::Vol04), records);
  EXPECT_EQ(Deltas(PageKey::Vol04, Step(StepKind::TemplateRejected, "\\x"), recorder), (Counts{{"FoldersOther", 1}}));
}

TEST_F(AttachRecorderTest, AMissingSizeAddsNoBytesAndBringsUpThePagesWarning) {
  AttachRecords records;
  AttachRecorder recorder(PageKey::Vol04, main->visualLogs.Stats(PageKey::Vol04), records, nullptr, ui.get());
  AttachStep step = Step(StepKind::FileNotCopied, "D:\\T\\f", 99);
  step.sizeKnown = false;
  EXPECT_EQ(Deltas(PageKey::Vol04, step, recorder), (Counts{{"FilesExists", 1}}));
  ASSERT_EQ(ui->calls.size(), 1u);
  EXPECT_EQ(ui->calls[0].text, "The path doesn't exist : \nD:\\Src\\f");
  EXPECT_EQ(ui->calls[0].caption, "Creating Folder(s).-From a Folder List.            Warning no: 0073.");
  EXPECT_EQ(ui->calls[0].messageKind, MessageKind::Warning);

  const MessageText copied = MissingSizeMessage(PageKey::Vol08, true, "D:\\S\\x");
  EXPECT_EQ(copied.text, "The path doesn't exists : \nD:\\S\\x");
  EXPECT_EQ(copied.caption, "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0295.");
  EXPECT_EQ(MissingSizeMessage(PageKey::Vol02, false, "").caption,
            "Creating Folder(s).-From a String List.            Warning no: 0037.");
}

TEST_F(AttachRecorderTest, LabelsFollowAtMostEveryIntervalAndExactlyAtTheEnd) {
  AttachRecords records;
  const auto P = PageKey::Vol08;
  AttachRecorder recorder(P, main->visualLogs.Stats(P), records, &main->visualLogs);
  recorder.SetRefreshInterval(std::chrono::hours(1));
  const int repaints = ui->repaints;
  for (int i = 0; i < 1000; ++i) recorder.Record(Step(StepKind::SubfolderExists, "D:\\T\\" + std::to_string(i)));
  EXPECT_LE(ui->repaints, repaints + 1);  // the first step may show
  recorder.Flush();
  EXPECT_EQ(main->FindAs<Label>("lblVol08SubFoldersExists")->Caption(), "1000");
  EXPECT_EQ(main->visualLogs.Stats(P).Get("SubFoldersExists"), 1000);
}

}  // namespace
}  // namespace quillory
