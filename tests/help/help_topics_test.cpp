// The help the program carries: every topic a page or menu opens exists and
// teaches something, links lead somewhere, the search finds by every word,
// and the help window follows links and goes back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/help_topics.h"
#include "app/help_window.h"
#include "platform/text.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

std::size_t LineCount(const std::string& text) { return std::count(text.begin(), text.end(), '\n'); }

TEST(HelpTopicsTest, EveryTopicAPageOrMenuOpensIsWrittenOut) {
  std::vector<std::string> wanted = {"overview", "lists", "drives"};
  for (const PageDescriptor& page : kPages) wanted.emplace_back(page.name);
  for (const std::string& key : wanted) {
    const HelpTopic* topic = FindHelpTopic(key);
    ASSERT_NE(topic, nullptr) << key;
    EXPECT_GE(LineCount(topic->markdown), 25u) << key << " is too short to work from";
    EXPECT_NE(topic->markdown.find("\n## "), std::string::npos) << key << " has no sections";
  }
  // A page's topic carries the page's own name as its title.
  for (const PageDescriptor& page : kPages)
    EXPECT_EQ(FindHelpTopic(page.name)->title, Trim(std::string(page.tabCaption))) << page.name;
}

TEST(HelpTopicsTest, IndexStartsWithTheOverviewThenThePagesInTabOrder) {
  std::vector<std::string> keys;
  for (const HelpTopic& topic : HelpTopics()) keys.push_back(topic.key);
  ASSERT_GE(keys.size(), 1 + kPageCount);
  EXPECT_EQ(keys[0], "overview");
  for (std::size_t i = 0; i < kPageCount; ++i) EXPECT_EQ(keys[i + 1], kPages[i].name);
}

TEST(HelpTopicsTest, EveryLinkBetweenTopicsLeadsToATopic) {
  std::size_t links = 0;
  for (const HelpTopic& topic : HelpTopics())
    for (const std::string& target : HelpLinks(topic)) {
      ++links;
      EXPECT_NE(FindHelpTopic(target), nullptr) << topic.key << " links to missing " << target;
    }
  EXPECT_GE(links, kPageCount) << "the overview alone links every page";
}

TEST(HelpTopicsTest, LinkTargets) {
  EXPECT_EQ(HelpLinkTarget("lists.md"), "lists");
  EXPECT_EQ(HelpLinkTarget("lists.md#import"), "lists");
  EXPECT_EQ(HelpLinkTarget("lists"), "lists");
  EXPECT_EQ(HelpLinkTarget("../help/Vol02.md"), "Vol02");
  EXPECT_EQ(HelpLinkTarget("https://quillory.example.org/lists.md"), "");
  EXPECT_EQ(HelpLinkTarget("mailto:someone@example.org"), "");
}

TEST(HelpTopicsTest, SearchNeedsEveryWordCaseBlind) {
  EXPECT_EQ(SearchHelp("PADDED zeroes"), std::vector<std::string>{"Vol03"});
  EXPECT_TRUE(SearchHelp("padded qqqnotaword").empty());
  EXPECT_EQ(SearchHelp("   ").size(), HelpTopics().size());
  const auto undo = SearchHelp("undo");
  EXPECT_NE(std::find(undo.begin(), undo.end(), "Vol02"), undo.end());
}

TEST(HelpTopicsTest, EveryPageHasADemonstrationWithAScriptAndNoStrayScripts) {
  for (const PageDescriptor& page : kPages) {
    const Demonstration* demo = DemonstrationOf(page.key);
    ASSERT_NE(demo, nullptr) << page.name;
    EXPECT_FALSE(DemoScript(demo->name).empty()) << demo->name;
  }
  for (const HelpSource& source : DemoScriptSources())
    EXPECT_NE(FindDemonstration(source.name), nullptr) << "help/demos/" << source.name << ".txt is never played";
}

TEST(HelpWindowTest, FollowsLinksGoesBackAndLeavesOutsideAddresses) {
  TfrmAltalanosHelp help;
  help.ShowTopic("Vol02");
  EXPECT_EQ(help.lblHelpTopic.Caption(), "Create Folder Structures-I");
  EXPECT_FALSE(help.btnHelpBack.Enabled());
  EXPECT_TRUE(help.btnHelpExample.Visible());
  EXPECT_EQ(help.ExampleWindow(), "TfrmExample02");

  EXPECT_TRUE(help.FollowLink("lists.md"));
  EXPECT_EQ(help.Topic(), "lists");
  EXPECT_EQ(help.lblHelpTopic.Caption(), "Lists and list tools");
  EXPECT_EQ(help.memHelpText.Text().rfind("# Lists and list tools\n", 0), 0u);
  EXPECT_FALSE(help.btnHelpExample.Visible());
  EXPECT_TRUE(help.btnHelpBack.Enabled());

  EXPECT_FALSE(help.FollowLink("https://quillory.example.org/"));
  EXPECT_EQ(help.Topic(), "lists");

  help.btnHelpBack.Click();
  EXPECT_EQ(help.Topic(), "Vol02");
  EXPECT_FALSE(help.btnHelpBack.Enabled());
}

TEST(HelpWindowTest, SearchListsTheTopicsAndShowsOne) {
  TfrmAltalanosHelp help;
  help.edtHelpSearch.UserSetText("padded");
  help.edtHelpSearch.PressEnter();
  EXPECT_EQ(help.Listed(), std::vector<std::string>{"Vol03"});
  EXPECT_EQ(help.lstHelpTopics.Items(), std::vector<std::string>{"Create Folder Struct.-III"});
  EXPECT_EQ(help.lblHelpFound.Caption(), "1 topic contains \"padded\".");
  help.ShowListed(0);
  EXPECT_EQ(help.Topic(), "Vol03");

  help.edtHelpSearch.UserSetText("qqqnotaword");
  help.btnHelpSearch.Click();
  EXPECT_TRUE(help.lstHelpTopics.Empty());
  EXPECT_EQ(help.lblHelpFound.Caption(), "No topic contains \"qqqnotaword\".");
  help.ShowListed(0);  // nothing listed: stays
  EXPECT_EQ(help.Topic(), "Vol03");

  help.edtHelpSearch.UserSetText("");
  help.btnHelpSearch.Click();
  EXPECT_EQ(help.lstHelpTopics.Count(), HelpTopics().size());
}

TEST(HelpWindowTest, AnUnknownTopicSaysSo) {
  TfrmAltalanosHelp help;
  help.ShowTopic("NoSuchPage");
  EXPECT_EQ(help.lblHelpTopic.Caption(), "NoSuchPage");
  EXPECT_NE(help.memHelpText.Text().find("no help topic"), std::string::npos);
}

using HelpWiringTest = AppTest;

// F1 (and Help > Help Topics) opens the topic of the page in front, and
// every such topic exists.
TEST_F(HelpWiringTest, F1OpensThePageInFront) {
  TfrmMain& main = Start();
  for (const PageDescriptor& page : kPages) {
    ASSERT_TRUE(main.pgeMain.SetActivePageIndex(static_cast<int>(page.tabIndex())));
    main.mnuHelpTopics.Click();
    EXPECT_EQ(app->help->Topic(), page.name);
    EXPECT_NE(FindHelpTopic(app->help->Topic()), nullptr);
  }
}

TEST_F(HelpWiringTest, ExampleAndMenuOpenTheDemonstrationWindowOnTheirDemonstration) {
  TfrmMain& main = Start();
  ui->ClearCalls();
  main.mnuVideoTutorials[2]->Click();  // Rename Folders
  EXPECT_EQ(app->videos->Chosen(), "rename");
  ASSERT_FALSE(ui->calls.empty());
  EXPECT_EQ(ui->calls.front().kind, "modal");
  EXPECT_EQ(ui->calls.front().caption, "TfrmVideoTutorials");

  auto* example = dynamic_cast<ExampleWindow*>(app->Find("TfrmExample03"));
  ASSERT_NE(example, nullptr);
  EXPECT_NE(example->memExampleStory.Text().find("Box-08"), std::string::npos);
  example->btnExampleDemo.Click();
  EXPECT_EQ(app->videos->Chosen(), "create_numbers");

  // The web page entry hands the one address to whoever opens it.
  std::string opened;
  main.openWebPage = [&](const std::string& address) { opened = address; };
  main.mnuHelpWebPage.Click();
  EXPECT_EQ(opened, kProjectWebPage);
}

}  // namespace
}  // namespace quillory
