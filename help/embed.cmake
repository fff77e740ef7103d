# Turns the help topics (help/*.md), the demonstration scripts
# (help/demos/*.txt) and the example stories (help/examples/*.md) into one
# C++ source, so the program, the tests and an
# installed copy all carry them without looking for files at run time.
#   cmake -DHELP_DIR=<help folder> -DOUT=<generated .cpp> -P embed.cmake
file(GLOB topics RELATIVE ${HELP_DIR} ${HELP_DIR}/*.md)
file(GLOB demos RELATIVE ${HELP_DIR}/demos ${HELP_DIR}/demos/*.txt)
file(GLOB examples RELATIVE ${HELP_DIR}/examples ${HELP_DIR}/examples/*.md)
list(SORT examples)
list(SORT topics)
list(SORT demos)

function(append_entries var folder names)
  set(text "")
  foreach(name ${names})
    file(READ ${folder}/${name} body)
    string(FIND "${body}" ")qhelp\"" clash)
    if(NOT clash EQUAL -1)
      message(FATAL_ERROR "${folder}/${name} holds the text )qhelp\" which ends the embedded string")
    endif()
    get_filename_component(stem ${name} NAME_WE)
    string(APPEND text "    {\"${stem}\", R\"qhelp(${body})qhelp\"},\n")
  endforeach()
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

append_entries(topic_entries ${HELP_DIR} "${topics}")
append_entries(demo_entries ${HELP_DIR}/demos "${demos}")
append_entries(example_entries ${HELP_DIR}/examples "${examples}")

set(source "// Generated from the help folder at build time; edit the files there.
#include \"app/help_topics.h\"

#include <iterator>

namespace quillory {
namespace {
constexpr HelpSource kTopicSources[] = {
${topic_entries}};
constexpr HelpSource kDemoSources[] = {
${demo_entries}    {\"\", \"\"}};
constexpr HelpSource kExampleSources[] = {
${example_entries}    {\"\", \"\"}};
}  // namespace

std::span<const HelpSource> HelpTopicSources() { return kTopicSources; }
std::span<const HelpSource> DemoScriptSources() { return {kDemoSources, std::size(kDemoSources) - 1}; }
std::span<const HelpSource> ExampleSources() { return {kExampleSources, std::size(kExampleSources) - 1}; }

}  // namespace quillory
")
# Written only when it changed, so an untouched help folder rebuilds nothing.
set(tmp ${OUT}.tmp)
file(WRITE ${tmp} "${source}")
file(COPY_FILE ${tmp} ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${tmp})
