// What an export writes, an import must read back: every form of export,
// taken in again by the import that matches it, gives the page the same items.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "lists/file_export.h"
#include "lists/file_import.h"
#include "lists/list_import.h"
#include "lists/list_panel.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

// Letters of several scripts, blanks, apostrophes and the separators a name
// may hold; `banned` leaves out what a form cannot carry.
std::string RandomName(std::mt19937& random, const std::string& banned) {
  static const std::vector<std::string> pieces = {
      "a", "Z", "k", "7", " ", " ", "'", ",", ";", "-", "_", ".", "#", "&", "@", "$", "~", "(", ")",
      "\xC3\xA4", "\xC3\x9F", "\xC3\x89", "\xD0\x96", "\xCE\xA9", "\xE6\x97\xA5", "\xF0\x9F\x93\x81"};
  std::string name;
  const int length = 1 + static_cast<int>(random() % 12);
  while (static_cast<int>(name.size()) < length) {
    const std::string& piece = pieces[random() % pieces.size()];
    if (piece.size() == 1 && banned.find(piece[0]) != std::string::npos) continue;
    name += piece;
  }
  // Items on a page are trimmed, and a quotation mark that opens a name
  // would be read as quoting it.
  while (!name.empty() && (name.front() == ' ' || name.front() == '\'')) name.erase(0, 1);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  return name.empty() ? "x" : name;
}

// Distinct case-blind, as a page holds them.
Items RandomList(std::mt19937& random, bool folders, const std::string& banned, std::size_t n) {
  Items out;
  ListBox seen("seen");
  while (out.size() < n) {
    std::string item = RandomName(random, banned);
    if (folders) item = "D:\\" + item + "\\" + RandomName(random, banned);
    if (seen.Contains(item)) continue;
    seen.Add(item);
    out.push_back(item);
  }
  return out;
}

struct Form {
  const char* name;
  bool smart;
  bool separated;
  const char* separator;  // as the boxes show it
  bool quotes;
  const char* banned;     // characters this form cannot carry inside a name
};

const Form kForms[] = {
    {"plain", false, false, "", false, ""},
    {"smart lines", true, false, "", false, ""},
    {"smart lines quoted", true, false, "", true, ""},
    {"separated by commas", true, true, ",", false, ","},
    {"separated by semicolons, quoted", true, true, ";", true, ";"},
    {"separated by blanks, quoted", true, true, "space", true, ""},
    {"separated by blanks", true, true, "space", false, " '"},
};

class RoundTripTest : public PagesTest {
 protected:
  void Export(ListPanel& panel, const Form& form, const std::string& path) {
    ui->files.push_back(path);
    if (!form.smart) {
      ASSERT_TRUE(panel.btnExportList.Click());
      return;
    }
    TfrmFileExport& window = *app->fileExport;
    ui->modalBlocks["TfrmFileExport"] = [&window, &form](Window&) {
      if (form.separated) {
        window.rdoFileExportCSVSeparatedFile.Click();
        const int at = window.cboFileExportDelimiter.IndexOf(form.separator);
        EXPECT_GE(at, 0) << form.separator;
        window.cboFileExportDelimiter.UserSelect(at);
      } else {
        window.rdoFileExportPlainTextFile.Click();
      }
      if (window.chkFileExportQuotationMarks.Checked() != form.quotes) window.chkFileExportQuotationMarks.Click();
      window.btnFileExportTo.Click();
      return ModalResult::Close;
    };
    ASSERT_TRUE(panel.btnSmartExport.Click());
  }

  void Import(ListPanel& panel, const Form& form, const std::string& path) {
    ui->files.push_back(path);
    if (!form.smart) {
      ui->answers.push_back(MessageAnswer::Yes);  // clear the include list first
      ASSERT_TRUE(panel.btnImportList.Click());
      return;
    }
    TfrmFileImport& window = *app->fileImport;
    ui->modalBlocks["TfrmFileImport"] = [&window, &form](Window&) {
      window.btnFileImportClear.Click();
      window.btnFileImportBrowse.Click();
      if (form.separated) {
        window.rdoFileImportSeparatedFile.Click();
        window.rdoFileImportAllColumns.Click();
        const int at = window.cboFileImportDelimiter.IndexOf(form.separator);
        EXPECT_GE(at, 0) << form.separator;
        window.cboFileImportDelimiter.UserSelect(at);
      }
      if (!window.chkFileImportAbandonQMarks.Checked()) window.chkFileImportAbandonQMarks.Click();
      window.btnFileImportFrom.Click();
      window.modalResult = ModalResult::Ok;
      return ModalResult::Ok;
    };
    panel.include.Clear();
    ASSERT_TRUE(panel.btnSmartImport.Click());
  }
};

TEST_F(RoundTripTest, EveryExportFormReadsBackAsTheSameItems) {
  std::mt19937 random(20261209);
  int file = 0;
  for (const Form& form : kForms) {
    for (ListPanel* panel : {&main->vol02.panel, &main->vol04.panel, &main->vol08.panel}) {
      for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE(std::string(form.name) + " on " + panel->Key() + ", round " + std::to_string(round));
        if (panel->rdoMakeListImport) panel->rdoMakeListImport->Click();
        panel->include.SetItems(RandomList(random, panel->FolderPage(), form.banned, 40));
        const Items items = panel->include.Items();  // in the list's own order (Vol02 sorts)
        const std::string path = "D:\\list" + std::to_string(++file) + ".txt";
        Export(*panel, form, path);
        panel->include.Clear();
        Import(*panel, form, path);
        EXPECT_EQ(panel->include.Items(), items) << ReadFile(path);
        for (const UiCall& call : ui->Messages())
          EXPECT_EQ(call.messageKind == MessageKind::Warning, false) << call.caption << "|" << call.text;
        ui->ClearCalls();
      }
    }
  }
}

}  // namespace
}  // namespace quillory
