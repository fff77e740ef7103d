// Where the program keeps its settings when started from the desktop's menu:
// the folder Linux desktops give each program for that, instead of whatever
// folder the menu happens to start it in (the home folder, usually).
#pragma once

#include <optional>
#include <string>

namespace quillory {

// ${XDG_CONFIG_HOME:-$HOME/.config}/quillory; a relative or empty
// XDG_CONFIG_HOME is ignored, as the desktop rules say. nullopt without an
// absolute home either.
std::optional<std::string> ConfigHome(const char* xdgConfigHome, const char* home);

// Makes `folder` (and its missing parents; the last one private to the user)
// and makes it the working folder, where the settings are kept. Returns an
// empty string, or why it failed.
std::string EnterConfigHome(const std::string& folder);

}  // namespace quillory
