#include "app/run_frame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/scripted_ui.h"

namespace quillory {
namespace {

class RunFrameTest : public ::testing::Test {
 protected:
  RunFrameTest() {
    for (auto* t : tabs) pages.AddPage(t);
  }
  bool OthersLocked() const {
    for (auto* t : tabs)
      if (t != &c && t->Enabled()) return false;
    return c.Enabled();
  }
  bool AllEnabled() const {
    for (auto* t : tabs)
      if (!t->Enabled()) return false;
    return true;
  }
  RunPlan Plan(std::vector<std::string>& log) {
    RunPlan plan;
    plan.validate = [&log] { log.push_back("validate"); return true; };
    plan.confirm = {"Go ?", "Confirm"};
    plan.prepare = [&log] { log.push_back("prepare"); };
    plan.itemCount = 3;
    plan.work = [this, &log](std::size_t i, const OutcomeSink&) {
      log.push_back("item" + std::to_string(i) + (OthersLocked() ? " locked" : " OPEN"));
    };
    plan.end = {"Done", "End"};
    plan.showExplorer = [] { return true; };
    plan.explorerPath = [] { return "  D:\\X  "; };
    plan.after = [this, &log] { log.push_back(AllEnabled() ? "after unlocked" : "after LOCKED"); };
    return plan;
  }

  PageControl pages{"pge"};
  TabSheet a{"a", "A"}, b{"b", "B"}, c{"c", "C"}, d{"d", "D"}, e{"e", "E"}, f{"f", "F"}, g{"g", "G"};
  std::vector<TabSheet*> tabs{&a, &b, &c, &d, &e, &f, &g};
  ScriptedUi ui;
};

TEST_F(RunFrameTest, CompletedRunLocksOtherTabsItemByItemAndUnlocksBeforeHistory) {
  std::vector<std::string> log;
  ui.answers = {MessageAnswer::Yes};
  EXPECT_EQ(RunFrame(ui, pages, c, Plan(log)), RunOutcome::Completed);
  EXPECT_EQ(log, (std::vector<std::string>{"validate", "prepare", "item0 locked", "item1 locked", "item2 locked",
                                           "after unlocked"}));
  EXPECT_TRUE(AllEnabled());
  ASSERT_EQ(ui.calls.size(), 3u);
  EXPECT_EQ(ui.calls[0].caption, "Confirm");
  EXPECT_EQ(ui.calls[0].answer, "Yes");
  EXPECT_EQ(ui.calls[1].caption, "End");
  EXPECT_EQ(ui.calls[2].kind, "open_folder");
  EXPECT_EQ(ui.calls[2].text, "D:\\X");
  EXPECT_GE(ui.repaints, 3);
}

TEST_F(RunFrameTest, NoAndFailedChecksChangeNothing) {
  std::vector<std::string> log;
  ui.answers = {MessageAnswer::No};
  EXPECT_EQ(RunFrame(ui, pages, c, Plan(log)), RunOutcome::Declined);
  EXPECT_EQ(log, std::vector<std::string>{"validate"});
  EXPECT_TRUE(AllEnabled());

  log.clear();
  RunPlan refused = Plan(log);
  refused.validate = [] { return false; };
  EXPECT_EQ(RunFrame(ui, pages, c, refused), RunOutcome::Refused);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(ui.calls.size(), 1u);  // only the first confirmation
}

// The item that fails is left; what the items before it did, and what it
// did before it failed, is recorded all the same.
TEST_F(RunFrameTest, AnExceptionMidRunStillUnlocksTheTabsAndRecordsWhatWasDone) {
  std::vector<std::string> log;
  RunPlan plan = Plan(log);
  plan.work = [](std::size_t i, const OutcomeSink& emit) {
    ItemOutcome done;
    done.path = "D:\\X\\" + std::to_string(i);
    emit(std::move(done));
    if (i == 1) throw std::runtime_error("disk gone");
  };
  plan.record = [&](ItemOutcome&& outcome) { log.push_back("record " + outcome.path); };
  ui.answers = {MessageAnswer::Yes};
  EXPECT_THROW(RunFrame(ui, pages, c, plan), std::runtime_error);
  EXPECT_TRUE(AllEnabled());
  EXPECT_EQ(log, (std::vector<std::string>{"validate", "prepare", "record D:\\X\\0", "record D:\\X\\1"}));
}

// Outcomes reach the recorder in item order and all before the run ends;
// one with a message is recorded, and its message shown, before the run
// goes on, with every outcome before it.
TEST_F(RunFrameTest, OutcomesAreRecordedInOrderAndAMessageBeforeTheRunGoesOn) {
  std::vector<std::string> log;
  RunPlan plan = Plan(log);
  plan.itemCount = 200;
  plan.work = [&log](std::size_t i, const OutcomeSink& emit) {
    log.push_back("work" + std::to_string(i));
    ItemOutcome main;
    main.path = "D:\\X\\" + std::to_string(i);
    main.made.push_back({main.path, FolderIdentity{7, 100 + i}});
    ItemOutcome sub;
    sub.kind = OutcomeKind::AlreadyExists;
    sub.path = main.path + "\\s";
    if (i == 100) sub.message = ItemMessage{"Look", "Warning no: 1", ItemMessage::Kind::Warning};
    emit(std::move(main));
    emit(std::move(sub));
    log.push_back("worked" + std::to_string(i));
  };
  MadeFolders made;
  std::vector<std::string> recorded;
  plan.record = [&](ItemOutcome&& outcome) {
    log.push_back("record " + outcome.path);
    recorded.push_back(outcome.path);
    made.insert(made.end(), outcome.made.begin(), outcome.made.end());
  };
  ui.answers = {MessageAnswer::Yes};
  EXPECT_EQ(RunFrame(ui, pages, c, plan), RunOutcome::Completed);
  std::vector<std::string> expected;
  for (std::size_t i = 0; i < 200; ++i) {
    expected.push_back("D:\\X\\" + std::to_string(i));
    expected.push_back(expected.back() + "\\s");
  }
  EXPECT_EQ(recorded, expected);
  const auto at = [&](const std::string& entry) { return std::find(log.begin(), log.end(), entry) - log.begin(); };
  EXPECT_LT(at("record D:\\X\\100\\s"), at("worked100"));
  EXPECT_LT(at("record D:\\X\\99\\s"), at("record D:\\X\\100\\s"));
  EXPECT_LT(at("record D:\\X\\199\\s"), at("after unlocked"));
  ASSERT_EQ(made.size(), 200u);
  EXPECT_EQ(made[1].identity, (FolderIdentity{7, 101}));
}

// A Stop ends the run between items: the item under way finishes, the rest
// get no outcome, the end message comes and then how many were left; a run
// that cannot stop goes to its end; the next run starts unstopped.
TEST_F(RunFrameTest, AStopEndsTheRunBetweenItemsAndSaysHowManyWereLeft) {
  std::vector<std::string> log;
  RunPlan plan = Plan(log);
  plan.itemCount = 10;
  plan.end = {"Done", "Delete Folder(s).-From a Folder List.            Information no: 0239."};
  plan.showExplorer = {};
  ui.answers = {MessageAnswer::Yes};
  ui.stopAfter = 3;
  EXPECT_EQ(RunFrame(ui, pages, c, plan), RunOutcome::Completed);
  EXPECT_EQ(log, (std::vector<std::string>{"validate", "prepare", "item0 locked", "item1 locked", "item2 locked",
                                           "after unlocked"}));
  const std::vector<UiCall> messages = ui.Messages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[1].text, "Done");
  EXPECT_EQ(messages[2].text, "The process was STOPPED !!!\n\n7 items were not processed.\nWhat was done is "
                              "listed in the Visual Log.");
  EXPECT_EQ(messages[2].caption, "Delete Folder(s).-From a Folder List.            Information no: 0640.");
  EXPECT_TRUE(AllEnabled());

  log.clear();
  ui.ClearCalls();
  plan.stoppable = false;
  ui.answers = {MessageAnswer::Yes};
  ui.stopAfter = 0;
  RunFrame(ui, pages, c, plan);
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.starts_with("item"); }), 10);
  EXPECT_EQ(ui.Messages().size(), 2u);  // no box about a stop

  log.clear();
  plan.stoppable = true;
  ui.answers = {MessageAnswer::Yes};
  RunFrame(ui, pages, c, plan);  // the stop served its run only
  EXPECT_EQ(std::count_if(log.begin(), log.end(), [](const std::string& l) { return l.starts_with("item"); }), 10);
}

TEST_F(RunFrameTest, ATabDisabledBeforeTheRunStaysDisabled) {
  std::vector<std::string> log;
  g.SetEnabled(false);
  ui.answers = {MessageAnswer::Yes};
  RunFrame(ui, pages, c, Plan(log));
  EXPECT_FALSE(g.Enabled());
  EXPECT_TRUE(a.Enabled());
}

TEST_F(RunFrameTest, UnscriptedQuestionIsAnError) {
  std::vector<std::string> log;
  EXPECT_THROW(RunFrame(ui, pages, c, Plan(log)), ScriptError);
  EXPECT_TRUE(AllEnabled());
}

// Logs the run's bracket calls among the other calls, with whether the other
// tabs were locked at that moment.
class WatchingUi : public ScriptedUi {
 public:
  explicit WatchingUi(std::function<bool()> locked) : locked_(std::move(locked)) {
    onCall = [this](const UiCall& call) { log.push_back(call.kind + " " + call.caption); };
  }
  void RunStarted(std::size_t total) override {
    log.push_back("started " + std::to_string(total) + (locked_() ? " locked" : " OPEN"));
  }
  void RunProgress(std::size_t done) override { progress.push_back(done); }
  void RunEnded() override { log.push_back(std::string("ended") + (locked_() ? " locked" : " OPEN")); }

  std::vector<std::string> log;
  std::vector<std::size_t> progress;

 private:
  std::function<bool()> locked_;
};

class RunWatchTest : public RunFrameTest {
 protected:
  WatchingUi watching{[this] { return OthersLocked(); }};
};

TEST_F(RunWatchTest, StartedOnceLockedProgressPerItemEndedAfterTheEndMessageBeforeUnlocking) {
  std::vector<std::string> log;
  RunPlan plan = Plan(log);
  plan.after = [this] { watching.log.push_back(AllEnabled() ? "after unlocked" : "after LOCKED"); };
  watching.answers = {MessageAnswer::Yes};
  EXPECT_EQ(RunFrame(watching, pages, c, plan), RunOutcome::Completed);
  EXPECT_EQ(watching.log, (std::vector<std::string>{"message Confirm", "started 3 locked", "message End",
                                                    "open_folder ", "ended locked", "after unlocked"}));
  EXPECT_EQ(watching.progress, (std::vector<std::size_t>{1, 2, 3}));
  EXPECT_FALSE(RunActive());
}

TEST_F(RunWatchTest, NoBracketWhenTheRunNeverStarts) {
  std::vector<std::string> log;
  watching.answers = {MessageAnswer::No};
  EXPECT_EQ(RunFrame(watching, pages, c, Plan(log)), RunOutcome::Declined);
  RunPlan refused = Plan(log);
  refused.validate = [] { return false; };
  EXPECT_EQ(RunFrame(watching, pages, c, refused), RunOutcome::Refused);
  EXPECT_EQ(watching.log, std::vector<std::string>{"message Confirm"});
  EXPECT_TRUE(watching.progress.empty());
  EXPECT_FALSE(RunActive());
}

TEST_F(RunWatchTest, ProgressIsThrottledRisesAndAlwaysEndsOnTheLastItem) {
  for (std::size_t total : {std::size_t{0}, std::size_t{1}, std::size_t{999}, std::size_t{2501},
                            std::size_t{1000003}}) {
    SCOPED_TRACE(total);
    std::vector<std::string> log;
    RunPlan plan = Plan(log);
    plan.work = [](std::size_t, const OutcomeSink&) {};
    plan.itemCount = total;
    watching.progress.clear();
    watching.answers = {MessageAnswer::Yes};
    ASSERT_EQ(RunFrame(watching, pages, c, plan), RunOutcome::Completed);
    if (total == 0) {
      EXPECT_TRUE(watching.progress.empty());
      continue;
    }
    ASSERT_FALSE(watching.progress.empty());
    EXPECT_EQ(watching.progress.back(), total);
    EXPECT_LE(watching.progress.size(), 1001u);
    if (total <= 1000) {
      EXPECT_EQ(watching.progress.size(), total);
    }
    for (std::size_t i = 1; i < watching.progress.size(); ++i) EXPECT_LT(watching.progress[i - 1], watching.progress[i]);
  }
}

TEST_F(RunWatchTest, AnExceptionMidRunStillEndsTheRunAndFreesTheFrame) {
  std::vector<std::string> log;
  RunPlan plan = Plan(log);
  plan.work = [](std::size_t i, const OutcomeSink&) {
    if (i == 1) throw std::runtime_error("disk gone");
  };
  watching.answers = {MessageAnswer::Yes};
  EXPECT_THROW(RunFrame(watching, pages, c, plan), std::runtime_error);
  EXPECT_EQ(watching.log, (std::vector<std::string>{"message Confirm", "started 3 locked", "ended locked"}));
  EXPECT_EQ(watching.progress, std::vector<std::size_t>{1});
  EXPECT_FALSE(RunActive());

  // The next run is not taken for a second one.
  watching.answers = {MessageAnswer::Yes};
  EXPECT_EQ(RunFrame(watching, pages, c, Plan(log)), RunOutcome::Completed);
}

TEST_F(RunWatchTest, ASecondFrameDuringARunIsRefusedAndAsksAndChangesNothing) {
  std::vector<std::string> log;
  std::vector<std::string> innerLog;
  RunPlan inner = Plan(innerLog);
  std::vector<RunOutcome> innerOutcomes;
  std::size_t callsBefore = 0;
  RunPlan plan = Plan(log);
  plan.work = [&](std::size_t i, const OutcomeSink&) {
    EXPECT_TRUE(RunActive());
    if (i == 1) {
      callsBefore = watching.calls.size();
      // Its tab may even be a locked one: nothing of it must run.
      innerOutcomes.push_back(RunFrame(watching, pages, a, inner));
      innerOutcomes.push_back(RunFrame(watching, pages, c, inner));
      EXPECT_EQ(watching.calls.size(), callsBefore);
      EXPECT_TRUE(OthersLocked());
    }
  };
  watching.answers = {MessageAnswer::Yes, MessageAnswer::Yes};
  EXPECT_EQ(RunFrame(watching, pages, c, plan), RunOutcome::Completed);
  EXPECT_EQ(innerOutcomes, (std::vector<RunOutcome>{RunOutcome::Refused, RunOutcome::Refused}));
  EXPECT_TRUE(innerLog.empty());
  EXPECT_EQ(watching.answers.size(), 1u);  // the inner frames asked nothing
  EXPECT_EQ(std::count(watching.log.begin(), watching.log.end(), "started 3 locked"), 1);
  EXPECT_TRUE(AllEnabled());
  EXPECT_FALSE(RunActive());
}

// Its rarely present parts are held apart; a copy must not share them.
TEST(ItemOutcomeTest, ACopyOwnsItsMessageAndFileAndAMoveLeavesNoneBehind) {
  ItemOutcome a;
  a.message = ItemMessage{"text", "caption", ItemMessage::Kind::Information};
  a.written = WrittenFile{"D:\\a\\f", {1, 2, 3, 4, 5}};
  ItemOutcome b = a;
  b.message->text = "other";
  b.written = std::nullopt;
  EXPECT_EQ(a.message->text, "text");
  ASSERT_TRUE(a.written);
  EXPECT_EQ(a.written->path, "D:\\a\\f");
  a = b;
  EXPECT_EQ(a.message->text, "other");
  EXPECT_FALSE(a.written);
  ItemOutcome c = std::move(a);
  EXPECT_TRUE(c.message);
  EXPECT_FALSE(a.message);  // NOLINT: moved-from is looked at on purpose
  EXPECT_FALSE(c.trashed);
}

}  // namespace
}  // namespace quillory
