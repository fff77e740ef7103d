#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/scripted_ui.h"
#include "app/settings_file.h"
#include "app/settings_store.h"
#include "lists/separator_windows.h"
#include "support/app_fixture.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using List = std::vector<std::string>;

const List kBuiltIn = {",", ";", "space", "\"", "'", "|", "~", ":", "#", "&", "@", "$", "<", ">", ".", "-", "_"};

void Select(ListBox& list, const List& items) {
  list.ClearSelection();
  for (const auto& item : items) list.SetSelected(static_cast<std::size_t>(list.IndexOf(item)), true);
}

// Numbered entries, none of them with a drive part.
List Numbered(std::size_t n, const std::string& prefix) {
  List out;
  out.reserve(n);
  for (std::size_t i = 0; i < n; ++i) out.push_back(prefix + std::to_string(i));
  return out;
}

class SeparatorWindows : public TempDriveTest {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    store.SetDefaultDirectory("D:\\");
    store.FillDefaults();
    ASSERT_TRUE(SaveClass(path, store, Drives()).save().ok);
  }

  // The one message the last action showed.
  UiCall OnlyMessage() {
    auto messages = ui.Messages();
    EXPECT_EQ(messages.size(), 1u);
    ui.ClearCalls();
    return messages.empty() ? UiCall{} : messages.back();
  }

  void Type(SeparatorListWindow& w, const std::string& text) {
    w.addEdit.UserSetText(text);
    w.addButton.Click();
  }

  ScriptedUi ui;
  SettingsStore store;
  std::string path = "D:\\default.set";
  TfrmDelimiters delimiters{ui, store, path, Drives()};
  TfrmQuotationMarks quotes{ui, store, path, Drives()};
};

TEST_F(SeparatorWindows, ShowingReadsTheFileAgainAndFallsBackToTheBuiltInList) {
  store.SetSeparators({";", "x", "X", "tab"});
  store.SetQuotationMarks({});
  ASSERT_TRUE(SaveClass(path, store, Drives()).save().ok);
  store.SetSeparators({"lost since the last save"});

  delimiters.included.SetItems({"mine", "x"});
  EXPECT_EQ(ui.ShowModal(delimiters), ModalResult::Cancel);
  // Kept entries first, stored ones appended without case-blind repeats.
  EXPECT_EQ(delimiters.included.Items(), (List{"mine", "x", ";", "tab"}));
  EXPECT_EQ(store.Separators(), (List{";", "x", "X", "tab"}));

  // Nothing stored for quotation marks: the window's own seventeen.
  EXPECT_TRUE(quotes.Invoke("FormActivate"));
  EXPECT_EQ(quotes.included.Items(), kBuiltIn);
  EXPECT_GT(quotes.addEdit.FocusRequests(), 0);
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(SeparatorWindows, AFileThatHasGoneLeavesTheStoreAsItWas) {
  ASSERT_EQ(::unlink(Host(path).c_str()), 0);
  store.SetFileMasks({"*.doc"});
  store.SetSeparators({"|"});
  delimiters.Activate();
  EXPECT_EQ(store.FileMasks(), (List{"*.doc"}));
  EXPECT_FALSE(store.TypesInclude().empty());
  EXPECT_EQ(delimiters.included.Items(), (List{"|"}));
}

TEST_F(SeparatorWindows, AddChecksInOrderAndAddsTheTrimmedText) {
  delimiters.Activate();
  Type(delimiters, ";");
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.caption, "Delimiters.            Warning no: 0123.");
  EXPECT_EQ(m.text, "This item is already exist in the Include list !");
  EXPECT_EQ(m.messageKind, MessageKind::Warning);

  // Blanks around an entry that is there already do not make a second one.
  Type(delimiters, " ; ");
  EXPECT_EQ(OnlyMessage().caption, "Delimiters.            Warning no: 0123.");
  Select(delimiters.included, {";"});
  delimiters.incToExc.Click();
  Type(delimiters, " ; ");
  m = OnlyMessage();
  EXPECT_EQ(m.caption, "Delimiters.            Warning no: 0124.");
  EXPECT_EQ(m.text, "This item is already exist in the Exclude list !");

  Type(delimiters, " \t ");
  m = OnlyMessage();
  EXPECT_EQ(m.caption, "Delimiters.            Warning no: 0122.");
  EXPECT_EQ(m.text, "The text field is empty !\nAction : You must enter some text to add to the Include List.");

  const int focus = delimiters.addEdit.FocusRequests();
  delimiters.addEdit.UserSetText("  ab ");
  delimiters.addEdit.PressEnter();
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(delimiters.included.Items().back(), "ab");
  EXPECT_EQ(delimiters.addEdit.Text(), "ab");
  EXPECT_GT(delimiters.addEdit.FocusRequests(), focus);
  EXPECT_EQ(delimiters.included.Count(), kBuiltIn.size());  // ";" out, "ab" in

  quotes.Activate();
  Type(quotes, "");
  EXPECT_EQ(OnlyMessage().caption, "QuotationMarks.            Warning no: 0122.");
}

TEST_F(SeparatorWindows, LimitsOfThirtyThousand) {
  delimiters.included.SetItems(Numbered(SeparatorListWindow::kLimit - 1, "i"));
  Type(delimiters, "last");
  EXPECT_TRUE(ui.Messages().empty());
  ASSERT_EQ(delimiters.included.Count(), 30000u);
  Type(delimiters, "one more");
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.text, "The limit is 30000");
  EXPECT_EQ(m.caption, "Delimiters.            Warning no: 0121.");

  // "<": every selected entry counts.
  delimiters.included.Delete(0);
  delimiters.excluded.SetItems({"e1", "e2", "i5"});
  Select(delimiters.excluded, {"e1", "i5"});
  delimiters.excToInc.Click();
  m = OnlyMessage();
  EXPECT_EQ(m.text, "The Limit is 30,000 Delimiters");
  EXPECT_EQ(m.caption, "Managing Delimiters.            Warning no: 0125.");
  EXPECT_EQ(delimiters.excluded.Count(), 3u);
  Select(delimiters.excluded, {"e1"});
  delimiters.excToInc.Click();
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(delimiters.included.Count(), 30000u);

  // "<<": entries the include list holds already do not count.
  delimiters.included.Delete(0);
  delimiters.allFromExc.Click();
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(delimiters.included.Count(), 30000u);
  EXPECT_TRUE(delimiters.excluded.Empty());
  delimiters.excluded.SetItems({"n1", "n2"});
  delimiters.included.Delete(0);
  delimiters.allFromExc.Click();
  m = OnlyMessage();
  EXPECT_EQ(m.text, "The limit is 30,000 Delimiters");
  EXPECT_EQ(m.caption, "Managing Delimiters.            Warning no: 0126.");

  // Exchange looks at the exclude list only.
  delimiters.excluded.SetItems(Numbered(SeparatorListWindow::kLimit + 1, "x"));
  delimiters.exchange.Click();
  m = OnlyMessage();
  EXPECT_EQ(m.caption, "Managing Delimiters.            Warning no: 0127.");
  EXPECT_EQ(delimiters.excluded.Count(), 30001u);
  delimiters.excluded.Delete(0);
  delimiters.exchange.Click();
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_EQ(delimiters.included.Count(), 30000u);
  EXPECT_EQ(delimiters.excluded.Count(), 29999u);

  quotes.included.SetItems(Numbered(SeparatorListWindow::kLimit, "q"));
  quotes.excluded.SetItems({"a"});
  quotes.excluded.SelectAll();
  quotes.excToInc.Click();
  m = OnlyMessage();
  EXPECT_EQ(m.text, "The Limit is 30,000 QuotationMarks");
  EXPECT_EQ(m.caption, "Managing QuotationMarks.            Warning no: 0125.");
  quotes.allFromExc.Click();
  EXPECT_EQ(OnlyMessage().text, "The limit is 30,000 QuotationMarks");
}

TEST_F(SeparatorWindows, MovesSkipRepeatsAndLeaveDriveEntriesWhereTheyAre) {
  delimiters.included.SetItems({"a", "c:", "b", " \\\\srv", "C"});
  delimiters.excluded.SetItems({"A"});
  delimiters.included.SelectAll();
  delimiters.incToExc.Click();
  EXPECT_EQ(delimiters.excluded.Items(), (List{"A", "b", "C"}));
  EXPECT_EQ(delimiters.included.Items(), (List{"c:", " \\\\srv"}));

  delimiters.excluded.Add(" d:");
  delimiters.allFromExc.Click();
  EXPECT_EQ(delimiters.included.Items(), (List{"c:", " \\\\srv", "A", "b", "C"}));
  EXPECT_EQ(delimiters.excluded.Items(), (List{" d:"}));
  delimiters.allFromInc.Click();
  EXPECT_EQ(delimiters.excluded.Items(), (List{" d:", "A", "b", "C"}));
  EXPECT_EQ(delimiters.included.Items(), (List{"c:", " \\\\srv"}));

  // Exchange: A,B against B,C gives B,C and A,B; drive entries stay.
  delimiters.included.SetItems({"A", "c:", "B"});
  delimiters.excluded.SetItems({"b", "C", "d:"});
  delimiters.exchange.Click();
  EXPECT_EQ(delimiters.included.Items(), (List{"c:", "b", "C"}));
  EXPECT_EQ(delimiters.excluded.Items(), (List{"d:", "A", "B"}));
}

TEST_F(SeparatorWindows, DeletingAsksAndNoKeepsEverything) {
  delimiters.excluded.SetItems({"a", "b", "c"});
  Select(delimiters.excluded, {"b"});
  ui.answers = {MessageAnswer::No};
  delimiters.deleteButton.Click();
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.messageKind, MessageKind::Question);
  EXPECT_EQ(m.text, "Do you want to delete selected delimiter(s) from the Exclude list ?");
  EXPECT_EQ(m.caption, "Managing Delimiters.            Warning no: 0128.");
  EXPECT_EQ(delimiters.excluded.Count(), 3u);
  ui.answers = {MessageAnswer::Yes};
  delimiters.deleteButton.Click();
  EXPECT_EQ(delimiters.excluded.Items(), (List{"a", "c"}));
  ui.ClearCalls();

  ui.answers = {MessageAnswer::No};
  delimiters.removeAllButton.Click();
  m = OnlyMessage();
  EXPECT_EQ(m.text, "Do you want to remove (delete) all delimiter(s) from the Exclude list ?");
  EXPECT_EQ(m.caption, "Managing Delimiters.            Warning no: 0129.");
  EXPECT_EQ(delimiters.excluded.Count(), 2u);
  ui.answers = {MessageAnswer::Yes};
  delimiters.removeAllButton.Click();
  EXPECT_TRUE(delimiters.excluded.Empty());
  ui.ClearCalls();

  quotes.excluded.SetItems({"x"});
  ui.answers = {MessageAnswer::No, MessageAnswer::No};
  quotes.deleteButton.Click();
  quotes.removeAllButton.Click();
  auto messages = ui.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].caption, "Managing QuotationMarks.            Warning no: 0128.");
  EXPECT_EQ(messages[0].text, "Do you want to delete selected delimiter(s) from the Exclude list ?");
  EXPECT_EQ(messages[1].caption, "Managing QuotationMarks.            Warning no: 0129.");
  EXPECT_EQ(quotes.excluded.Count(), 1u);
}

TEST_F(SeparatorWindows, SetDefaultsBringsBackSpaceAndEmptiesTheExcludeList) {
  delimiters.Activate();
  Select(delimiters.included, {"space", ","});
  delimiters.incToExc.Click();
  Type(delimiters, "mine");
  ASSERT_FALSE(delimiters.included.Contains("space"));
  delimiters.defaultsButton.Click();
  EXPECT_EQ(delimiters.included.Items(), kBuiltIn);
  EXPECT_TRUE(delimiters.excluded.Empty());
  EXPECT_TRUE(ui.Messages().empty());
}

TEST_F(SeparatorWindows, CloseStoresTheIncludeListOtherClosingNothing) {
  ui.modalBlocks["TfrmQuotationMarks"] = [this](Window&) {
    quotes.defaultsButton.Click();
    Type(quotes, "`");
    return ModalResult::Cancel;
  };
  EXPECT_EQ(ui.ShowModal(quotes), ModalResult::Cancel);
  const std::string before = ReadFile(path);
  EXPECT_EQ(store.QuotationMarks().back(), "space");  // the store's own order, untouched

  ui.modalBlocks["TfrmQuotationMarks"] = [this](Window&) {
    quotes.closeButton.Click();
    return ModalResult::None;
  };
  EXPECT_EQ(ui.ShowModal(quotes), ModalResult::Ok);
  EXPECT_NE(ReadFile(path), before);
  List expected = kBuiltIn;
  expected.push_back("`");
  EXPECT_EQ(store.QuotationMarks(), expected);
  SettingsStore reread;
  ASSERT_TRUE(RestoreClass(path, reread, Drives()).restore());
  EXPECT_EQ(reread.QuotationMarks(), expected);
  EXPECT_EQ(reread.Separators(), store.Separators());
}

TEST_F(SeparatorWindows, AFailedSaveIsReportedAndTheWindowStillCloses) {
  const std::string missing = "D:\\gone\\default.set";
  TfrmDelimiters w(ui, store, missing, Drives());
  w.included.SetItems({"|"});
  w.closeButton.Click();
  UiCall m = OnlyMessage();
  EXPECT_EQ(m.messageKind, MessageKind::Error);
  EXPECT_EQ(m.text, kMsg0130.text);
  EXPECT_EQ(m.caption, kMsg0130.caption);
  EXPECT_EQ(w.modalResult, ModalResult::Ok);
}

class SeparatorWindowsRestart : public AppTest {};

TEST_F(SeparatorWindowsRestart, ClosedEntriesComeBackInOrderAndExcludedOnesAreGone) {
  Start();
  ui->modalBlocks["TfrmDelimiters"] = [this](Window&) {
    TfrmDelimiters& w = *app->delimiters;
    Select(w.lstDelimitersIncluded, {",", "space"});
    w.btnDelimitersIncToExc.Click();
    w.edtDelimitersAdd.UserSetText("\\t");
    w.btnDelimitersAdd.Click();
    w.btnDelimitersClose.Click();
    return ModalResult::None;
  };
  ASSERT_EQ(ui->ShowModal(*app->delimiters), ModalResult::Ok);
  const List active = app->delimiters->lstDelimitersIncluded.Items();
  ASSERT_EQ(active.front(), ";");
  ASSERT_EQ(active.back(), "\\t");

  Start();
  EXPECT_EQ(store->Separators(), active);
  EXPECT_EQ(ui->ShowModal(*app->delimiters), ModalResult::Cancel);
  EXPECT_EQ(app->delimiters->lstDelimitersIncluded.Items(), active);
  EXPECT_TRUE(app->delimiters->lstDelimitersExcluded.Empty());
  // The other list was written back as it was read.
  EXPECT_EQ(store->QuotationMarks().size(), 17u);
}

}  // namespace
}  // namespace quillory
