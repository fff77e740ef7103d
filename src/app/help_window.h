// The general help window: shows one topic per page.
#pragma once

#include <string>

#include "app/window.h"

namespace quillory {

class TfrmAltalanosHelp : public Window {
 public:
  TfrmAltalanosHelp();
  Label& lblHelpTopic;
  Memo& memHelpText;
  Button& btnMoreHelp;
  Button& btnHelpClose;

  // Fills the window for a topic (a page key such as "Vol02").
  void ShowTopic(const std::string& topic);
  const std::string& Topic() const { return topic_; }

 private:
  std::string topic_;
};

}  // namespace quillory
