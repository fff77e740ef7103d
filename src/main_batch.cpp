// The display-free program: runs automation scripts only.
#include <cstring>
#include <iostream>

#include "automation/automation.h"
#include "quillory_version.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << QUILLORY_VERSION_LINE << "\n";
    return 0;
  }
  return quillory::RunAutomationMain(argc, argv);
}
