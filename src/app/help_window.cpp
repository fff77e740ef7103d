#include "app/help_window.h"

#include <array>
#include <string_view>

namespace quillory {

namespace {
struct HelpTopic {
  std::string_view key;
  const char* title;
  const char* text;
};
// In the main window's tab order, which is the order the index lists them.
constexpr std::array<HelpTopic, 7> kTopics = {{
    {"Vol08", "Copy Folder Structures",
     "Copies existing folder structures, or folder templates, into every folder of the Include list."},
    {"Vol07", "Delete Folder Structures",
     "Deletes selected files, whole subfolder structures or the folders themselves for every folder of "
     "the Include list."},
    {"Vol06", "Rename Folders", "Renames the last folder of every path of the Include list."},
    {"Vol02", "Create Folder Structures-I",
     "Creates one folder for every string of the Include list inside the destination folder, named "
     "prefix, hyphen, string, hyphen, suffix."},
    {"Vol04", "Create Folder Struct.-II",
     "Creates every folder named by a full path of the Include list, with prefix and suffix around its "
     "last folder name."},
    {"Vol03", "Create Folder Struct.-III",
     "Creates one folder for every whole number from the start number to the end number inside the "
     "destination folder."},
    {"Forced", "Create Folder -IV.",
     "Creates single folders by hand, by full path or as a subfolder of a chosen root folder."},
}};

const HelpTopic* FindTopic(std::string_view key) {
  for (const HelpTopic& topic : kTopics)
    if (topic.key == key) return &topic;
  return nullptr;
}
}  // namespace

TfrmAltalanosHelp::TfrmAltalanosHelp()
    : Window("TfrmAltalanosHelp", "Help"),
      lblHelpTopic(Make<Label>("lblHelpTopic")),
      memHelpText(Make<Memo>("memHelpText")),
      btnMoreHelp(Make<Button>("btnMoreHelp", "More Help")),
      btnHelpClose(Make<Button>("btnHelpClose", "Close")) {
  btnMoreHelp.SetVisible(false);
  // Until a page asks for its topic, the window lists them all.
  lblHelpTopic.SetCaption("Quillory Suite Help");
  std::string index;
  for (const HelpTopic& topic : kTopics) index += std::string(topic.title) + ": " + topic.text + "\n";
  memHelpText.SetText(index);
  btnHelpClose.onClick = [this] { modalResult = ModalResult::Close; };
}

void TfrmAltalanosHelp::ShowTopic(const std::string& topic) {
  topic_ = topic;
  const HelpTopic* found = FindTopic(topic);
  lblHelpTopic.SetCaption(found ? found->title : topic);
  memHelpText.SetText(found ? found->text : "");
  btnMoreHelp.SetVisible(true);
}

}  // namespace quillory
