// Each test class runs through one of these; main runs them all.
#pragma once

namespace quillory {

int RunMainWindowViewTests(int argc, char** argv);
int RunWindowViewTests(int argc, char** argv);
int RunQtUiTests(int argc, char** argv);

}  // namespace quillory
