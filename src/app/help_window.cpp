#include "app/help_window.h"

#include "app/help_topics.h"

namespace quillory {

namespace {
constexpr const char* kStartTopic = "overview";
}  // namespace

TfrmAltalanosHelp::TfrmAltalanosHelp()
    : Window("TfrmAltalanosHelp", "Help"),
      lblHelpTopic(Make<Label>("lblHelpTopic")),
      memHelpText(Make<Memo>("memHelpText")),
      edtHelpSearch(Make<Edit>("edtHelpSearch")),
      btnHelpSearch(Make<Button>("btnHelpSearch", "Search")),
      lblHelpFound(Make<Label>("lblHelpFound")),
      lstHelpTopics(Make<ListBox>("lstHelpTopics")),
      btnHelpBack(Make<Button>("btnHelpBack", "Back")),
      btnHelpExample(Make<Button>("btnHelpExample", "Example")),
      btnMoreHelp(Make<Button>("btnMoreHelp", "More Help")),
      btnHelpClose(Make<Button>("btnHelpClose", "Close")) {
  lstHelpTopics.SetMultiSelect(false);
  btnMoreHelp.SetVisible(false);
  btnHelpBack.SetEnabled(false);
  List(SearchHelp(""));
  Display(kStartTopic);
  btnHelpSearch.onClick = [this] { Search(); };
  edtHelpSearch.onEnter = [this] { Search(); };
  btnHelpBack.onClick = [this] { Back(); };
  btnHelpClose.onClick = [this] { modalResult = ModalResult::Close; };
}

void TfrmAltalanosHelp::Display(const std::string& topic) {
  topic_ = topic;
  const HelpTopic* found = FindHelpTopic(topic);
  lblHelpTopic.SetCaption(found ? found->title : topic);
  memHelpText.SetText(found ? found->markdown : "# " + topic + "\n\nThere is no help topic of this name.\n");
  for (std::size_t i = 0; i < listed_.size(); ++i) lstHelpTopics.SetSelected(i, listed_[i] == topic);
  btnHelpBack.SetEnabled(!history_.empty());
  btnHelpExample.SetVisible(!ExampleWindow().empty());
}

std::string TfrmAltalanosHelp::ExampleWindow() const { return ExampleWindowOf(topic_); }

void TfrmAltalanosHelp::ShowTopic(const std::string& topic) {
  // A page's help button starts a fresh reading: no way back to an older one.
  history_.clear();
  Display(topic);
  btnMoreHelp.SetVisible(true);
}

bool TfrmAltalanosHelp::FollowLink(const std::string& href) {
  const std::string target = HelpLinkTarget(href);
  if (target.empty()) return false;
  if (target != topic_) history_.push_back(topic_);
  Display(target);
  return true;
}

void TfrmAltalanosHelp::Back() {
  if (history_.empty()) return;
  const std::string previous = history_.back();
  history_.pop_back();
  Display(previous);
}

void TfrmAltalanosHelp::List(std::vector<std::string> keys) {
  listed_ = std::move(keys);
  std::vector<std::string> titles;
  for (const std::string& key : listed_) titles.push_back(FindHelpTopic(key)->title);
  lstHelpTopics.SetItems(std::move(titles));
  for (std::size_t i = 0; i < listed_.size(); ++i)
    if (listed_[i] == topic_) lstHelpTopics.SetSelected(i, true);
}

void TfrmAltalanosHelp::Search() {
  const std::string words = edtHelpSearch.Text();
  List(SearchHelp(words));
  if (words.find_first_not_of(" \t") == std::string::npos) lblHelpFound.SetCaption("");
  else if (listed_.empty()) lblHelpFound.SetCaption("No topic contains \"" + words + "\".");
  else if (listed_.size() == 1) lblHelpFound.SetCaption("1 topic contains \"" + words + "\".");
  else lblHelpFound.SetCaption(std::to_string(listed_.size()) + " topics contain \"" + words + "\".");
}

void TfrmAltalanosHelp::ShowListed(std::size_t row) {
  if (row >= listed_.size() || listed_[row] == topic_) return;
  history_.push_back(topic_);
  Display(listed_[row]);
}

}  // namespace quillory
