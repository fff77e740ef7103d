// The help topics and the demonstration scripts, compiled in from the help
// folder of the source tree, and what the help window needs of them: the
// index, titles, links between topics and a word search.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/page.h"

namespace quillory {

// The maker's web page, which Help > "The maker's web page" opens.
inline constexpr const char* kProjectWebPage = "https://quillory.example.org/";

// One embedded file: its name without the extension, and its text.
struct HelpSource {
  std::string_view name;
  std::string_view text;
};
// help/*.md by file name; defined in the generated source.
std::span<const HelpSource> HelpTopicSources();
// help/demos/*.txt by file name; defined in the generated source.
std::span<const HelpSource> DemoScriptSources();
// help/examples/*.md by file name; defined in the generated source.
std::span<const HelpSource> ExampleSources();

struct HelpTopic {
  std::string key;       // the file name: "Vol02", "overview", "lists"
  std::string title;     // its first "# " heading
  std::string markdown;  // the whole text
};

// Every topic, in index order: the overview, the pages in tab order, then
// the others by name.
const std::vector<HelpTopic>& HelpTopics();
const HelpTopic* FindHelpTopic(std::string_view key);

// The topic a link points at: "lists.md#import" and "lists" give "lists";
// "" for a link that leaves the help (a scheme such as https:, mailto:).
std::string HelpLinkTarget(std::string_view href);
// The targets of the topic's links to other topics, in order of appearance.
std::vector<std::string> HelpLinks(const HelpTopic& topic);

// Keys of the topics whose text holds every word of `words` (case-blind),
// in index order; every topic when there are no words.
std::vector<std::string> SearchHelp(std::string_view words);

// The embedded demonstration script of that name; empty when there is none.
std::string_view DemoScript(std::string_view name);
// The story of an example window (its class name); empty when none.
std::string_view ExampleStory(std::string_view windowClass);

// The guided demonstrations: one per operation page.
struct Demonstration {
  std::string_view name;  // its script: help/demos/<name>.txt
  PageKey page;
  std::string_view title;
};
// In tab order.
const std::vector<Demonstration>& Demonstrations();
const Demonstration* FindDemonstration(std::string_view name);
const Demonstration* DemonstrationOf(PageKey page);
// The class of the page's example window ("TfrmExample02"); "" when it has none.
std::string ExampleWindowOf(std::string_view topic);

}  // namespace quillory
