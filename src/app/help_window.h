// The general help window: one topic at a time as formatted text, the index
// of every topic, links between topics with a way back, and a word search
// that lists the topics holding every word.
#pragma once

#include <string>
#include <vector>

#include "app/window.h"

namespace quillory {

class TfrmAltalanosHelp : public Window {
 public:
  TfrmAltalanosHelp();
  Label& lblHelpTopic;
  Memo& memHelpText;  // the topic's Markdown; the view renders it
  Edit& edtHelpSearch;
  Button& btnHelpSearch;
  Label& lblHelpFound;
  ListBox& lstHelpTopics;  // titles: every topic, or those the search found
  Button& btnHelpBack;
  Button& btnHelpExample;  // shown when the topic's page has an example window
  Button& btnMoreHelp;
  Button& btnHelpClose;

  // Fills the window for a topic (a page key such as "Vol02", or "lists").
  void ShowTopic(const std::string& topic);
  const std::string& Topic() const { return topic_; }
  // A link of the shown text: true when it named a topic, which is then
  // shown; false for an address outside the help (the view opens those).
  bool FollowLink(const std::string& href);
  // Back to the topic shown before the last link or index pick.
  void Back();
  // Lists the topics that hold every word of the search field.
  void Search();
  // Shows the topic at that row of lstHelpTopics.
  void ShowListed(std::size_t row);
  // Keys of the topics lstHelpTopics lists, row for row.
  const std::vector<std::string>& Listed() const { return listed_; }
  // The example window of the shown topic ("TfrmExample02"), "" when none.
  std::string ExampleWindow() const;

 private:
  void Display(const std::string& topic);
  void List(std::vector<std::string> keys);

  std::string topic_;
  std::vector<std::string> history_;
  std::vector<std::string> listed_;
};

}  // namespace quillory
