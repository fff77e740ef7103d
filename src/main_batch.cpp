// The display-free program: runs automation scripts only.
#include "automation/automation.h"

int main(int argc, char** argv) { return quillory::RunAutomationMain(argc, argv); }
