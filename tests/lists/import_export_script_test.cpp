#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/batch_script.h"

namespace quillory {
namespace {

using ImportExportScriptTest = BatchScriptTest;

TEST_F(ImportExportScriptTest, ACsvWithQuotedFieldsGoesInOnVol04AndComesBackOut) {
  std::ifstream sample(ScriptPath("clients.csv"), std::ios::binary);
  ASSERT_TRUE(sample) << "the sample file beside the script";
  std::stringstream bytes;
  bytes << sample.rdbuf();
  MakeFile("D:\\clients.csv", bytes.str());

  std::vector<std::string> lines;
  ASSERT_EQ(RunBatch("import_export_vol04.txt", lines), 0);
  const std::string items =
      R"(["D:\\Clients\\Acme Holdings","D:\\Clients\\Bäcker & Söhne","D:\\Clients\\Zeta",)"
      R"("D:\\Clients\\O'Brien Partners","D:\\Clients\\Ölfeld"])";
  const std::vector<std::string> expected = {
      R"({"event":"modal","window":"TfrmFileImport"})",
      R"({"event":"open_file","title":"Import Folder Names (strings) from Files.","answer":"D:\\clients.csv"})",
      R"({"event":"message","kind":"question","caption":"Import File content.            Warnings no: 0311.",)"
      R"("text":"The file extension is not txt.\nMaybe it is not a plain text file. \nDo you want to select this )"
      R"(file ?\nClick YES to Continue Selecting this file,\nClick NO to Stop the Select process.","answer":"Yes",)"
      R"("default":"No"})",
      R"({"event":"message","kind":"information","caption":"Import File content.            Information no: )"
      R"(0450.","text":"End of the IMPORT process!","answer":"OK"})",
      R"({"event":"message","kind":"information","caption":"Import File content.            Information no: )"
      R"x(0451.","text":"End of the making FOLDER LIST process! (Preview)","answer":"OK"})x",
      R"({"event":"dump","control":"lstFileImportResults","type":"ListBox","enabled":true,"visible":true,)"
      R"("focused":false,"count":5,"items":)" + items + R"(,"selected":[]})",
      R"({"event":"modal_end","window":"TfrmFileImport","result":"OK"})",
      R"({"event":"dump","control":"lstVol04IncludeFolderList","type":"ListBox","enabled":true,"visible":true,)"
      R"("focused":false,"count":5,"items":)" + items + R"(,"selected":[]})",
      R"({"event":"modal","window":"TfrmFileExport"})",
      R"({"event":"save_file","title":"Export Folder Names (strings) to a file.","answer":"D:\\back.csv"})",
      R"({"event":"message","kind":"information","caption":"Quillory Suite","text":"End of the exporting )"
      R"(process.","answer":"OK"})",
      R"({"event":"dump","control":"lblSmartExportExported","type":"Label","enabled":true,"visible":true,)"
      R"("focused":false,"caption":"5","color":"default"})",
      R"({"event":"modal_end","window":"TfrmFileExport","result":"Close"})",
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  // One line, each item quoted and followed by the separator, no line end.
  EXPECT_EQ(ReadFile("D:\\back.csv"),
            "\"D:\\Clients\\Acme Holdings\",\"D:\\Clients\\Bäcker & Söhne\",\"D:\\Clients\\Zeta\","
            "\"D:\\Clients\\O'Brien Partners\",\"D:\\Clients\\Ölfeld\",");
}

}  // namespace
}  // namespace quillory
