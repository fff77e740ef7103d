#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using TemplatesScriptTest = BatchScriptTest;

// The example script builds a template on the copy page through the editor
// (one refusal first) and stores "without the first folder" for the page.
TEST_F(TemplatesScriptTest, ATemplateBuiltInTheEditorAndItsOptionsOnTheCopyPage) {
  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("templates_vol08.txt", lines), 0);
  const std::vector<std::string> expected = {
      R"x({"event":"modal","window":"TfrmFolderStructuresTemplates"})x",
      R"x({"event":"message","kind":"warning","caption":"Copy Folder Structure(s).-From a Folder List.    )x"
          R"x(        Warning no: 0383bc.","text":"Error Type: There are paths not beginning with \\ (backslas)x"
          R"x(h) (total: 1) \nCustomers\\Templates\n\n","answer":"OK"})x",
      R"x({"event":"dump","control":"lblFolderStructuresTemplatesEditLinesCurrent","type":"Label","enabled)x"
          R"x(":true,"visible":true,"focused":false,"caption":"4","color":"default"})x",
      R"x({"event":"modal_end","window":"TfrmFolderStructuresTemplates","result":"OK"})x",
      R"x({"event":"dump","control":"lstVol08AddFolderStructure","type":"ListBox","enabled":true,"visible")x"
          R"x(:true,"focused":false,"count":2,"items":["\\Customers\\Templates","\\Projects\\P01"],"selected":)x"
          R"x([]})x",
      R"x({"event":"dump","control":"lblVol08FolderStructuresTemplatesSum","type":"Label","enabled":true,")x"
          R"x(visible":true,"focused":false,"caption":"2","color":"default"})x",
      R"x({"event":"modal","window":"TfrmFolderTemplateOptions"})x",
      R"x({"event":"dump","control":"rdoFolderTemplateOptionsReplaceNo","type":"RadioButton","enabled":tru)x"
          R"x(e,"visible":true,"focused":false,"caption":"Whole Folder Paths.","color":"default","checked":tru)x"
          R"x(e})x",
      R"x({"event":"modal_end","window":"TfrmFolderTemplateOptions","result":"OK"})x",
      R"x({"event":"modal","window":"TfrmFolderTemplateOptions"})x",
      R"x({"event":"dump","control":"rdoFolderTemplateOptionsReplaceNo","type":"RadioButton","enabled":tru)x"
          R"x(e,"visible":true,"focused":false,"caption":"Whole Folder Paths.","color":"default","checked":fal)x"
          R"x(se})x",
      R"x({"event":"dump","control":"rdoFolderTemplateOptionsReplaceFirst","type":"RadioButton","enabled":)x"
          R"x(true,"visible":true,"focused":false,"caption":"Folder Paths Without the First (Main) Folders.",")x"
          R"x(color":"default","checked":true})x",
      R"x({"event":"dump","control":"rdoFolderTemplateOptionsReplaceAll","type":"RadioButton","enabled":tr)x"
          R"x(ue,"visible":true,"focused":false,"caption":"Folder Paths Without the Main Folders from the temp)x"
          R"x(late and replace all the occurrences of the Main Folder in the Paths with the Last Subfolders fr)x"
          R"x(om the Include Window.","color":"default","checked":false})x",
      R"x({"event":"modal_end","window":"TfrmFolderTemplateOptions","result":"Cancel"})x",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
}

}  // namespace
}  // namespace quillory
