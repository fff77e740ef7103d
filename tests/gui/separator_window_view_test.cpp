#include "gui_tests.h"

namespace quillory {

int RunSeparatorWindowViewTests(int, char**) { return 0; }

}  // namespace quillory
