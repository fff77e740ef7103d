#include "app/help_topics.h"

#include <algorithm>
#include <array>

#include "platform/text.h"

namespace quillory {

namespace {

constexpr std::array<std::string_view, 8> kLeading = {"overview", "Vol08", "Vol07", "Vol06",
                                                      "Vol02",    "Vol04", "Vol03", "Forced"};

std::string TitleOf(std::string_view text, std::string_view fallback) {
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (line.rfind("# ", 0) == 0) return Trim(std::string(line.substr(2)));
    at = end + 1;
  }
  return std::string(fallback);
}

std::vector<HelpTopic> BuildTopics() {
  std::vector<HelpTopic> topics;
  for (const HelpSource& source : HelpTopicSources())
    topics.push_back({std::string(source.name), TitleOf(source.text, source.name), std::string(source.text)});
  auto rank = [](const HelpTopic& t) {
    auto it = std::find(kLeading.begin(), kLeading.end(), t.key);
    return static_cast<std::size_t>(it - kLeading.begin());
  };
  std::stable_sort(topics.begin(), topics.end(), [&](const HelpTopic& a, const HelpTopic& b) {
    if (rank(a) != rank(b)) return rank(a) < rank(b);
    return a.key < b.key;
  });
  return topics;
}

}  // namespace

const std::vector<HelpTopic>& HelpTopics() {
  static const std::vector<HelpTopic> topics = BuildTopics();
  return topics;
}

const HelpTopic* FindHelpTopic(std::string_view key) {
  for (const HelpTopic& topic : HelpTopics())
    if (topic.key == key) return &topic;
  return nullptr;
}

std::string HelpLinkTarget(std::string_view href) {
  const std::size_t colon = href.find(':');
  const std::size_t slash = href.find('/');
  if (colon != std::string_view::npos && (slash == std::string_view::npos || colon < slash)) return "";
  href = href.substr(0, std::min(href.find('#'), href.size()));
  if (const std::size_t cut = href.rfind('/'); cut != std::string_view::npos) href = href.substr(cut + 1);
  if (href.size() > 3 && href.substr(href.size() - 3) == ".md") href.remove_suffix(3);
  return std::string(href);
}

std::vector<std::string> HelpLinks(const HelpTopic& topic) {
  std::vector<std::string> links;
  const std::string& text = topic.markdown;
  for (std::size_t at = text.find("]("); at != std::string::npos; at = text.find("](", at + 2)) {
    const std::size_t end = text.find(')', at + 2);
    if (end == std::string::npos) break;
    std::string target = HelpLinkTarget(std::string_view(text).substr(at + 2, end - at - 2));
    if (!target.empty()) links.push_back(std::move(target));
  }
  return links;
}

std::vector<std::string> SearchHelp(std::string_view words) {
  std::vector<std::string> wanted;
  for (std::size_t at = 0; at < words.size();) {
    const std::size_t end = std::min(words.find_first_of(" \t", at), words.size());
    if (end > at) wanted.push_back(CaseFold(words.substr(at, end - at)));
    at = end + 1;
  }
  std::vector<std::string> keys;
  for (const HelpTopic& topic : HelpTopics()) {
    const std::string folded = CaseFold(topic.markdown);
    if (std::all_of(wanted.begin(), wanted.end(),
                    [&](const std::string& w) { return folded.find(w) != std::string::npos; }))
      keys.push_back(topic.key);
  }
  return keys;
}

std::string_view DemoScript(std::string_view name) {
  for (const HelpSource& source : DemoScriptSources())
    if (source.name == name) return source.text;
  return {};
}

}  // namespace quillory

namespace quillory {

std::string_view ExampleStory(std::string_view windowClass) {
  for (const HelpSource& source : ExampleSources())
    if (source.name == windowClass) return source.text;
  return {};
}

const std::vector<Demonstration>& Demonstrations() {
  static const std::vector<Demonstration> demos = {
      {"copy", PageKey::Vol08, "Copy Folder Structures"},
      {"delete", PageKey::Vol07, "Delete Folder Structures"},
      {"rename", PageKey::Vol06, "Rename Folders"},
      {"create_strings", PageKey::Vol02, "Create Folder Structures-I"},
      {"create_paths", PageKey::Vol04, "Create Folder Struct.-II"},
      {"create_numbers", PageKey::Vol03, "Create Folder Struct.-III"},
      {"create_manual", PageKey::Forced, "Create Folder -IV."},
  };
  return demos;
}

const Demonstration* FindDemonstration(std::string_view name) {
  for (const Demonstration& demo : Demonstrations())
    if (demo.name == name) return &demo;
  return nullptr;
}

const Demonstration* DemonstrationOf(PageKey page) {
  for (const Demonstration& demo : Demonstrations())
    if (demo.page == page) return &demo;
  return nullptr;
}

std::string ExampleWindowOf(std::string_view topic) {
  for (const PageDescriptor& page : kPages)
    if (page.name == topic && !page.number.empty()) {
      std::string name = "TfrmExample" + std::string(page.number);
      if (!ExampleStory(name).empty()) return name;
    }
  return "";
}

}  // namespace quillory
