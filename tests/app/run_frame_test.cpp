#include "app/run_frame.h"

#include <gtest/gtest.h>

#include <stdexcept>

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
    plan.work = [this, &log](std::size_t i) {
      log.push_back("item" + std::to_string(i) + (OthersLocked() ? " locked" : " OPEN"));
      return std::vector<ItemOutcome>{};
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

TEST_F(RunFrameTest, AnExceptionMidRunStillUnlocksTheTabs) {
  std::vector<std::string> log;
  RunPlan plan = Plan(log);
  plan.work = [](std::size_t i) {
    if (i == 1) throw std::runtime_error("disk gone");
    return std::vector<ItemOutcome>{};
  };
  ui.answers = {MessageAnswer::Yes};
  EXPECT_THROW(RunFrame(ui, pages, c, plan), std::runtime_error);
  EXPECT_TRUE(AllEnabled());
}

TEST_F(RunFrameTest, EveryOutcomeOfAnItemReachesTheRecorderInOrderBeforeTheNextItem) {
  std::vector<std::string> log;
  RunPlan plan = Plan(log);
  plan.work = [&log](std::size_t i) {
    log.push_back("work" + std::to_string(i));
    ItemOutcome main{OutcomeKind::Done, "D:\\X\\" + std::to_string(i), {{"FoldersCreated", 1}}, {}, {}};
    main.made.push_back({main.path, FolderIdentity{7, 100 + i}});
    ItemOutcome sub{OutcomeKind::AlreadyExists, main.path + "\\s", {{"SubFoldersExists", 1}}, {}, {}};
    return std::vector<ItemOutcome>{main, sub};
  };
  std::vector<MadeFolder> made;
  plan.record = [&](const ItemOutcome& outcome) {
    log.push_back("record " + outcome.path);
    made.insert(made.end(), outcome.made.begin(), outcome.made.end());
  };
  plan.itemCount = 2;
  ui.answers = {MessageAnswer::Yes};
  EXPECT_EQ(RunFrame(ui, pages, c, plan), RunOutcome::Completed);
  EXPECT_EQ(log, (std::vector<std::string>{"validate", "prepare", "work0", "record D:\\X\\0",
                                           "record D:\\X\\0\\s", "work1", "record D:\\X\\1",
                                           "record D:\\X\\1\\s", "after unlocked"}));
  ASSERT_EQ(made.size(), 2u);
  EXPECT_EQ(made[1].identity, (FolderIdentity{7, 101}));
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

}  // namespace
}  // namespace quillory
