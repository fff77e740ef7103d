// The display-free program: runs automation scripts only.
#include <cstring>
#include <iostream>

#include "app/settings_store.h"
#include "automation/automation.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "quillory_version.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << QUILLORY_VERSION_LINE << "\n";
    return 0;
  }
  return quillory::RunAutomationMain(argc, argv, {quillory::HostFileSystem(), quillory::Settings(), quillory::Drives()});
}
