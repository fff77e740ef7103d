#include "gui_tests.h"

namespace quillory {

int RunTreeWindowsViewTests(int, char**) { return 0; }

}  // namespace quillory
