// What each step of the attach engine comes to on a create page and on the
// copy page: the counters by name, the Visual Log list, the record, what
// undo receives and the warning, as values.
#include "operations/attach_outcomes.h"

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/controls.h"
#include "operations/run_recorder.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Counts = std::map<std::string, double>;

AttachStep Step(StepKind kind, std::string path, std::uint64_t bytes = 0) {
  AttachStep step;
  step.kind = kind;
  step.path = std::move(path);
  step.source = "D:\\Src\\" + step.path.substr(step.path.rfind('\\') + 1);
  step.bytes = bytes;
  return step;
}

// The counters an outcome changes, by the names of the page's counters.
Counts Changed(const ItemOutcome& outcome, const std::vector<std::string>& names) {
  Counts changed;
  for (std::uint8_t i = 0; i < outcome.counterCount; ++i)
    if (outcome.counters[i].delta != 0) changed[names.at(outcome.counters[i].counter.index)] += outcome.counters[i].delta;
  return changed;
}

constexpr std::size_t Of(CreateList list) { return static_cast<std::size_t>(list); }
constexpr std::size_t Of(CopyList list) { return static_cast<std::size_t>(list); }

constexpr StepKind kEveryKind[] = {
    StepKind::BaseCreated,   StepKind::BaseExists,      StepKind::SubfolderCreated, StepKind::SubfolderExists,
    StepKind::SubfolderFailed, StepKind::FileCopied,    StepKind::FileNotCopied,    StepKind::TemplateCreated,
    StepKind::TemplateExists, StepKind::TemplateFailed, StepKind::TemplateRejected,
};

class AttachOutcomesTest : public ::testing::Test {
 protected:
  Counts Create(const AttachStep& step) { return Changed(CreatePageStepOutcome(step, rules), CreatePageCounterNames()); }
  Counts Copy(const AttachStep& step) { return Changed(CopyPageStepOutcome(step), PageCounterNames(PageKey::Vol08)); }
  CreateStepRules rules{PageKey::Vol03, true, {3, 4, 50}};
};

TEST_F(AttachOutcomesTest, CreatePagesCountEveryStepByTheirColumn) {
  AttachStep base = Step(StepKind::BaseCreated, "D:\\T\\S");
  base.made = {MadeFolder{"D:\\T", {1, 2}}, MadeFolder{"D:\\T\\S", {1, 3}}};
  EXPECT_EQ(Create(base), (Counts{{"SubFoldersCreated", 1}}));
  EXPECT_EQ(Create(Step(StepKind::BaseExists, "D:\\T\\S")), Counts{});
  EXPECT_EQ(Create(Step(StepKind::SubfolderExists, "D:\\T\\S\\a")), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Create(Step(StepKind::SubfolderFailed, "D:\\T\\S\\b")), (Counts{{"SubFoldersOther", 1}}));
  EXPECT_EQ(Create(Step(StepKind::FileCopied, "D:\\T\\S\\f", 7)), (Counts{{"FilesCreated", 1}, {"FilesSizeCreated", 7}}));
  EXPECT_EQ(Create(Step(StepKind::FileNotCopied, "D:\\T\\S\\g", 11)),
            (Counts{{"FilesExists", 1}, {"FilesSizeExists", 11}}));
  EXPECT_EQ(Create(Step(StepKind::TemplateCreated, "D:\\T\\x")), (Counts{{"SubFoldersCreated", 1}}));
  // The create pages make a template folder without testing first.
  EXPECT_EQ(Create(Step(StepKind::TemplateExists, "D:\\T\\x")), (Counts{{"SubFoldersCreated", 1}}));
  EXPECT_EQ(Create(Step(StepKind::TemplateFailed, "D:\\T\\y")), (Counts{{"FoldersExists", 1}}));
  EXPECT_EQ(Create(Step(StepKind::TemplateRejected, "D:\\line")),
            (Counts{{"FoldersOther", 1}, {"SubFoldersOther", 3}, {"FilesOther", 4}, {"FilesSizeOther", 50}}));

  // What undo receives: the folder with what it made, the file with its identity.
  const ItemOutcome made = CreatePageStepOutcome(base, rules);
  EXPECT_EQ(made.list, Of(CreateList::SubFoldersCreated));
  EXPECT_EQ(made.record, RecordSlot::Folder);
  EXPECT_EQ(made.made, base.made);
  EXPECT_FALSE(made.madeMain);
  AttachStep copied = Step(StepKind::FileCopied, "D:\\T\\S\\f", 7);
  copied.file = FileIdentity{1, 9, 7, 100, 5};
  copied.within = 4;
  const ItemOutcome file = CreatePageStepOutcome(copied, rules);
  EXPECT_EQ(file.list, Of(CreateList::FilesCreated));
  EXPECT_EQ(file.record, RecordSlot::File);
  ASSERT_TRUE(file.written);
  EXPECT_EQ(*file.written, (WrittenFile{"D:\\T\\S\\f", *copied.file}));
  EXPECT_EQ(file.written->within, 4u);
  EXPECT_FALSE(file.message);
  // Folders and files there already, and failures below a main folder, are
  // counted but not listed on these pages.
  for (StepKind kind : {StepKind::BaseExists, StepKind::SubfolderExists, StepKind::SubfolderFailed,
                        StepKind::FileNotCopied}) {
    const ItemOutcome outcome = CreatePageStepOutcome(Step(kind, "D:\\T\\z"), rules);
    EXPECT_EQ(outcome.list, kNoList);
    EXPECT_EQ(outcome.record, RecordSlot::None);
    EXPECT_FALSE(outcome.written);
  }
  EXPECT_EQ(CreatePageStepOutcome(Step(StepKind::TemplateFailed, "D:\\T\\y"), rules).list, Of(CreateList::FoldersExists));
  EXPECT_EQ(CreatePageStepOutcome(Step(StepKind::TemplateRejected, "\\l"), rules).list, Of(CreateList::FoldersOther));
}

TEST_F(AttachOutcomesTest, TheCopyPageCountsFailuresItsOwnWay) {
  EXPECT_EQ(Copy(Step(StepKind::BaseCreated, "D:\\T\\S")), (Counts{{"SubFoldersCopied", 1}}));
  EXPECT_EQ(Copy(Step(StepKind::BaseExists, "D:\\U\\S")), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Copy(Step(StepKind::SubfolderExists, "D:\\U\\S\\a")), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Copy(Step(StepKind::SubfolderFailed, "D:\\T\\S\\b")), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Copy(Step(StepKind::FileCopied, "D:\\T\\S\\f", 7)), (Counts{{"FilesCopied", 1}, {"FileSizeCopied", 7}}));
  EXPECT_EQ(Copy(Step(StepKind::FileNotCopied, "D:\\T\\S\\g", 11)), (Counts{{"FilesExists", 1}, {"FileSizeExists", 11}}));
  EXPECT_EQ(Copy(Step(StepKind::TemplateCreated, "D:\\T\\w")), (Counts{{"SubFoldersCopied", 1}}));
  EXPECT_EQ(Copy(Step(StepKind::TemplateExists, "D:\\T\\x")), (Counts{{"SubFoldersExists", 1}}));
  EXPECT_EQ(Copy(Step(StepKind::TemplateFailed, "D:\\T\\y")),
            (Counts{{"SubFoldersExists", 1}, {"SubFoldersOtherReasons", 1}}));
  EXPECT_EQ(Copy(Step(StepKind::TemplateRejected, "\\l:ine")), (Counts{{"SubFoldersOtherReasons", 1}}));

  const std::map<StepKind, std::size_t> lists = {
      {StepKind::BaseCreated, Of(CopyList::SubFoldersCopied)},
      {StepKind::BaseExists, Of(CopyList::SubFoldersExists)},
      {StepKind::SubfolderCreated, Of(CopyList::SubFoldersCopied)},
      {StepKind::SubfolderExists, Of(CopyList::SubFoldersExists)},
      {StepKind::SubfolderFailed, Of(CopyList::SubFoldersExists)},
      {StepKind::FileCopied, Of(CopyList::FilesCopied)},
      {StepKind::FileNotCopied, Of(CopyList::FilesExists)},
      {StepKind::TemplateCreated, Of(CopyList::SubFoldersCopied)},
      {StepKind::TemplateExists, Of(CopyList::SubFoldersExists)},
      {StepKind::TemplateFailed, Of(CopyList::SubFoldersOtherReasons)},
      {StepKind::TemplateRejected, Of(CopyList::SubFoldersOtherReasons)},
  };
  for (StepKind kind : kEveryKind) {
    const ItemOutcome outcome = CopyPageStepOutcome(Step(kind, "D:\\T\\p"));
    EXPECT_EQ(outcome.list, lists.at(kind)) << static_cast<int>(kind);
    EXPECT_EQ(outcome.path, "D:\\T\\p");
    // Only what was made or written is recorded for undo.
    const bool made = kind == StepKind::BaseCreated || kind == StepKind::SubfolderCreated ||
                      kind == StepKind::TemplateCreated;
    EXPECT_EQ(outcome.record, made                           ? RecordSlot::Folder
                              : kind == StepKind::FileCopied ? RecordSlot::File
                                                             : RecordSlot::None)
        << static_cast<int>(kind);
  }
}

TEST_F(AttachOutcomesTest, RejectedLinesAddTotalsOnlyWhereThePagesSaySo) {
  EXPECT_TRUE(RejectedLineAddsTotals(PageKey::Vol02, SourceKind::Templates, AttachMode::SubWithoutFiles));
  EXPECT_FALSE(RejectedLineAddsTotals(PageKey::Vol02, SourceKind::Nothing, AttachMode::MainWithFiles));
  EXPECT_TRUE(RejectedLineAddsTotals(PageKey::Vol04, SourceKind::Templates, AttachMode::SubWithFiles));
  EXPECT_FALSE(RejectedLineAddsTotals(PageKey::Vol03, SourceKind::Templates, AttachMode::MainWithoutFiles));
  EXPECT_FALSE(RejectedLineAddsTotals(PageKey::Vol08, SourceKind::Templates, AttachMode::MainWithFiles));

  rules = {PageKey::Vol04, false, {3, 4, 50}};
  EXPECT_EQ(Create(Step(StepKind::TemplateRejected, "\\x")), (Counts{{"FoldersOther", 1}}));
}

TEST_F(AttachOutcomesTest, AMissingSizeAddsNoBytesAndBringsUpThePagesWarning) {
  rules = {PageKey::Vol04, false, {}};
  AttachStep step = Step(StepKind::FileNotCopied, "D:\\T\\f", 99);
  step.sizeKnown = false;
  const ItemOutcome notCopied = CreatePageStepOutcome(step, rules);
  EXPECT_EQ(Changed(notCopied, CreatePageCounterNames()), (Counts{{"FilesExists", 1}}));
  ASSERT_TRUE(notCopied.message);
  EXPECT_EQ(notCopied.message->text, "The path doesn't exist : \nD:\\Src\\f");
  EXPECT_EQ(notCopied.message->caption, "Creating Folder(s).-From a Folder List.            Warning no: 0073.");
  EXPECT_EQ(notCopied.message->kind, ItemMessage::Kind::Warning);

  step.kind = StepKind::FileCopied;
  const ItemOutcome copied = CopyPageStepOutcome(step);
  EXPECT_EQ(Changed(copied, PageCounterNames(PageKey::Vol08)), (Counts{{"FilesCopied", 1}}));
  ASSERT_TRUE(copied.message);
  EXPECT_EQ(copied.message->text, "The path doesn't exists : \nD:\\Src\\f");
  EXPECT_EQ(copied.message->caption,
            "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0295.");
  // A known size brings up nothing, whatever the step.
  for (StepKind kind : kEveryKind) {
    EXPECT_FALSE(CreatePageStepOutcome(Step(kind, "D:\\T\\f", 1), rules).message);
    EXPECT_FALSE(CopyPageStepOutcome(Step(kind, "D:\\T\\f", 1)).message);
  }

  EXPECT_EQ(MissingSizeMessage(PageKey::Vol02, false, "").caption,
            "Creating Folder(s).-From a String List.            Warning no: 0037.");
  EXPECT_EQ(MissingSizeMessage(PageKey::Vol02, true, "").caption,
            "Creating Folder(s).-From a String List.            Warning no: 0036.");
  EXPECT_EQ(MissingSizeMessage(PageKey::Vol03, true, "x").text, "The path doesn't exists : \nx");
  EXPECT_EQ(MissingSizeMessage(PageKey::Vol03, false, "").caption,
            "Creating Folder(s).-Increased Numbers.            Warning no: 0102.");
  EXPECT_EQ(MissingSizeMessage(PageKey::Vol04, true, "").caption,
            "Creating Folder(s).-From a Folder List.            Warning no: 0072.");
  EXPECT_EQ(MissingSizeMessage(PageKey::Vol08, false, "").caption,
            "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0296.");
}

// The steps of a long copy reach the labels through the run's recorder: at
// most every interval while it goes, exactly at the end.
class AttachOutcomesOnAPageTest : public AppTest {};

TEST_F(AttachOutcomesOnAPageTest, LabelsFollowAtMostEveryIntervalAndExactlyAtTheEnd) {
  TfrmMain& main = Start();
  const auto P = PageKey::Vol08;
  RecorderSetup setup;
  setup.page = P;
  setup.stats = &main.visualLogs.Stats(P);
  setup.logs = &main.visualLogs;
  RunRecorder recorder(std::move(setup));
  recorder.SetRefreshInterval(std::chrono::hours(1));
  const int repaints = ui->repaints;
  for (int i = 0; i < 1000; ++i)
    recorder.Record(CopyPageStepOutcome(Step(StepKind::SubfolderExists, "D:\\T\\" + std::to_string(i))));
  EXPECT_LE(ui->repaints, repaints + 1);  // the first step may show
  recorder.Flush();
  EXPECT_EQ(main.FindAs<Label>("lblVol08SubFoldersExists")->Caption(), "1000");
  EXPECT_EQ(main.visualLogs.Stats(P).Get("SubFoldersExists"), 1000);
  EXPECT_EQ(main.visualLogs.List(P, Of(CopyList::SubFoldersExists)).Items().size(), 1000u);
}

}  // namespace
}  // namespace quillory
