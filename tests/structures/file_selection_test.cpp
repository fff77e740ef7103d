#include "structures/file_selection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/settings_file.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

constexpr const char* k0542 =
    "Both Copy and Delete Processes will use selected files (if the <Select Files> button is active).\n";

class FileSelectionTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    Launch();
  }

  // Starts the program and wires the window as the main window will.
  void Launch() {
    main = &Start();
    window = app->fileSelection;
    window->SetSettingsPath(main->settingsPath);
    window->AttachStatusLabels({&main->vol07.lblVol07FileTypesAllSelected, &main->vol08.lblVol08FileTypesAllSelected});
    window->Start();
    ui->ClearCalls();
  }

  // Opens the window, lets `act` work in it, and returns how it closed.
  ModalResult Open(std::function<void(TfrmFileSelection&)> act) {
    ui->modalBlocks["TfrmFileSelection"] = [act](Window& w) {
      act(static_cast<TfrmFileSelection&>(w));
      return ModalResult::None;
    };
    return OpenFileSelection(*ui, *window);
  }

  ModalResult Accept(const std::string& text) {
    return Open([text](TfrmFileSelection& w) {
      w.cboFileManNames.UserSetText(text);
      w.btnFileManOK.Click();
    });
  }

  // "caption|text" of every message since the last call.
  Items Messages() {
    Items out;
    for (const UiCall& m : ui->Messages()) out.push_back(m.caption + "|" + m.text);
    ui->ClearCalls();
    return out;
  }

  void ExpectStatus(const std::string& status) {
    EXPECT_EQ(main->vol07.lblVol07FileTypesAllSelected.Caption(), status);
    EXPECT_EQ(main->vol08.lblVol08FileTypesAllSelected.Caption(), status);
  }

  TfrmMain* main = nullptr;
  TfrmFileSelection* window = nullptr;
};

TEST_F(FileSelectionTest, EmptyComboSelectsEverything) {
  EXPECT_EQ(window->GetFileMasks(), Items{"*.*"});
  ExpectStatus("All.");

  std::string shownText;
  EXPECT_EQ(Open([&](TfrmFileSelection& w) {
              shownText = w.cboFileManNames.Text();
              w.cboFileManNames.UserSetText("   ");
              w.btnFileManOK.Click();
            }),
            ModalResult::Ok);
  EXPECT_EQ(shownText, "*.*");
  EXPECT_EQ(Messages(), Items{std::string("File Selection.            Warning no: 0542.|") + k0542});
  EXPECT_EQ(store->FileMasks(), Items{"*.*"});
  EXPECT_EQ(store->FileMaskText(), "*.*");
  ExpectStatus("All.");

  // A restored empty mask list still selects everything.
  store->ClearFileMasks();
  EXPECT_EQ(window->GetFileMasks(), Items{"*.*"});
  window->Start();
  EXPECT_EQ(store->FileMasks(), Items{"*.*"});
}

TEST_F(FileSelectionTest, TextSplitsAtBlanksOutsideQuotes) {
  Accept("*.doc *.txt");
  EXPECT_EQ(window->GetFileMasks(), (Items{"*.doc", "*.txt"}));
  ExpectStatus("User Selected.");

  Accept("\"my file.doc\"  *.txt\t*.doc");
  EXPECT_EQ(store->FileMasks(), (Items{"my file.doc", "*.txt", "*.doc"}));
  EXPECT_EQ(store->FileMaskText(), "\"my file.doc\"  *.txt\t*.doc");

  Accept("*.doc *.doc");
  EXPECT_EQ(store->FileMasks(), Items{"*.doc"});

  // Nothing but an empty pair of quotes must not leave an empty filter.
  Accept("\"\"");
  EXPECT_EQ(store->FileMasks(), Items{"*.*"});

  Accept("*.*");
  ExpectStatus("All.");
}

TEST_F(FileSelectionTest, MasksWithoutPeriodAreNoticedOneByOneAndKept) {
  Accept("readme");
  const Items one = Messages();
  ASSERT_EQ(one.size(), 2u);
  EXPECT_EQ(one[1],
            "Information !    Msg no: 0544|Period (.) is missing from : 1 file names.\nNo: 1/1 is : readme\n"
            "If you want to search files with SPACE(s) in their names,\n"
            "then you must put complete file name with extension into double quotes!\n");
  EXPECT_EQ(store->FileMasks(), Items{"readme"});

  Accept("a *.txt b");
  const Items two = Messages();
  ASSERT_EQ(two.size(), 3u);
  EXPECT_NE(two[1].find("from : 2 file names.\nNo: 1/2 is : a\n"), std::string::npos);
  EXPECT_NE(two[2].find("from : 2 file names.\nNo: 2/2 is : b\n"), std::string::npos);
  EXPECT_EQ(store->FileMasks(), (Items{"a", "*.txt", "b"}));
}

TEST_F(FileSelectionTest, OddQuotesKeepThePreviousFilter) {
  Accept("*.doc");
  const SettingsStore before = *store;
  ui->ClearCalls();

  EXPECT_EQ(Accept("\"my file.doc *.txt"), ModalResult::Ok);
  const Items messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1],
            "Warning !    Msg no: 0519.|Odd number of marks(separators) : 1\n\n"
            "Action : You must enter an even number of separators(marks).");
  EXPECT_TRUE(*store == before);
  ExpectStatus("User Selected.");

  Accept("\"a b\" \"c");
  EXPECT_NE(Messages()[1].find(" : 3\n\n"), std::string::npos);
  EXPECT_EQ(store->FileMasks(), Items{"*.doc"});
}

TEST_F(FileSelectionTest, ClearMenuAsksAndCancelDiscards) {
  Accept("*.pdf");
  ui->ClearCalls();
  const SettingsStore before = *store;

  Items kept, emptied;
  ui->answers = {MessageAnswer::No, MessageAnswer::Yes};
  EXPECT_EQ(Open([&](TfrmFileSelection& w) {
              w.btnFileManClearFileNames.Click();
              kept = w.cboFileManNames.Items();
              w.btnFileManClearFileNames.Click();
              emptied = w.cboFileManNames.Items();
              w.btnFileManClearFileNames.Click();
              w.cboFileManNames.UserSetText("*.x");
              w.btnFileManCancel.Click();
            }),
            ModalResult::Cancel);
  EXPECT_EQ(kept, (Items{"*.*", "*.pdf"}));
  EXPECT_TRUE(emptied.empty());
  const char* ask = "File Selection.            Warning no: 0546.|"
                    "Do you want to delete all item(s) from the File Names Menu ?";
  EXPECT_EQ(Messages(), (Items{ask, ask,
                               "File Selection.            Warning no: 0545.|Empty List in the File Names Menu!\n"}));
  EXPECT_TRUE(*store == before);

  // The next showing brings the stored history and text back.
  Items shown;
  std::string text;
  Open([&](TfrmFileSelection& w) {
    shown = w.cboFileManNames.Items();
    text = w.cboFileManNames.Text();
  });
  EXPECT_EQ(shown, (Items{"*.*", "*.pdf"}));
  EXPECT_EQ(text, "*.pdf");

  // Cleared and accepted: the history is what the menu holds then.
  ui->answers = {MessageAnswer::Yes};
  Open([](TfrmFileSelection& w) {
    w.btnFileManClearFileNames.Click();
    w.cboFileManNames.UserSetText("*.rtf");
    w.btnFileManOK.Click();
  });
  EXPECT_EQ(store->FileMaskHistory(), Items{"*.rtf"});
}

TEST_F(FileSelectionTest, AcceptedFilterOutlivesARestart) {
  const std::size_t catalogue = store->TypesInclude().size();
  ASSERT_GT(catalogue, 0u);
  Accept("*.pdf");
  Accept("*.doc \"a b.txt\"");
  EXPECT_EQ(Messages().size(), 2u);

  Launch();
  EXPECT_EQ(store->FileMasks(), (Items{"*.doc", "a b.txt"}));
  EXPECT_EQ(store->FileMaskText(), "*.doc \"a b.txt\"");
  EXPECT_EQ(store->FileMaskHistory(), (Items{"*.*", "*.pdf", "*.doc \"a b.txt\""}));
  ExpectStatus("User Selected.");
  // The hidden panel handed the type lists back as they stood.
  EXPECT_EQ(store->TypesInclude().size(), catalogue);
  EXPECT_EQ(store->TypesExclude(), (Items{"bak", "nt", "old", "org", "sav"}));
  EXPECT_TRUE(store->NamesChosen());
  EXPECT_TRUE(store->AllTypes());

  std::string text;
  Open([&](TfrmFileSelection& w) { text = w.cboFileManNames.Text(); });
  EXPECT_EQ(text, "*.doc \"a b.txt\"");
}

TEST_F(FileSelectionTest, TermsAreSplitAndTrashStaysHidden) {
  store->SetIncludeTermsText("draft \"old copy\" draft");
  store->SetIncludeTermsHistory({"draft", ""});
  Accept("*.doc");
  EXPECT_EQ(store->IncludeTerms(), (Items{"draft", "old copy"}));
  EXPECT_EQ(store->IncludeTermsHistory(), Items{"draft"});
  for (const char* name : {"grpFileManTrash", "rdoFileManNames", "lstFileTypesInclude", "cboFileManTermsExclude"}) {
    Control* c = window->Find(name);
    ASSERT_NE(c, nullptr) << name;
    EXPECT_FALSE(c->Visible()) << name;
    EXPECT_FALSE(c->Enabled()) << name;
  }

  // Names not chosen: OK takes everything whatever the combo says.
  store->SetNamesChosen(false);
  store->SetTypesChosen(true);
  Accept("*.doc");
  EXPECT_EQ(store->FileMasks(), Items{"*.*"});
  EXPECT_FALSE(store->NamesChosen());
}

TEST_F(FileSelectionTest, PageControlsRegisterOnTheirOwner) {
  Window owner("TfrmOwner", "owner");
  FileSelectionControls c = MakeFileSelectionControls(owner, PageKey::Vol07);
  EXPECT_EQ(&c.select, owner.Find("btnVol07FileSelection"));
  EXPECT_EQ(c.select.Caption(), "Select Files");
  EXPECT_EQ(&c.status, owner.Find("lblVol07Status"));
  EXPECT_EQ(c.status.Caption(), "Active File Types:");
  EXPECT_EQ(&c.allSelected, owner.Find("lblVol07FileTypesAllSelected"));
  EXPECT_EQ(c.allSelected.Caption(), "All.");
}

}  // namespace
}  // namespace quillory
