#include "app/controls.h"

#include <gtest/gtest.h>

#include "platform/text.h"

#include <algorithm>
#include <string>
#include <vector>

namespace quillory {
namespace {

TEST(ControlsListBox, SortedListKeepsCaseBlindOrderAndIndex) {
  ListBox list("lst", true);
  list.Add("b");
  list.Add("A");
  list.Add("c");
  list.Add("a");
  ASSERT_EQ(list.Count(), 4u);
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"A", "a", "b", "c"}));
  EXPECT_TRUE(list.Contains("B"));
  EXPECT_TRUE(list.Contains("ä") == false);
  EXPECT_EQ(list.IndexOf("C"), 3);
  EXPECT_EQ(list.IndexOf("missing"), -1);

  list.AddMany({"Zed", "aa", "ÄPFEL"});
  for (std::size_t i = 1; i < list.Count(); ++i)
    EXPECT_LE(CompareText(list.Item(i - 1), list.Item(i)), 0) << i;
  EXPECT_TRUE(list.Contains("äpfel"));
}

TEST(ControlsListBox, DeletingKeepsMembershipAndSelectionConsistent) {
  ListBox list("lst");
  list.AddMany({"one", "two", "three", "Two", "four"});
  list.SetSelected(1, true);
  list.SetSelected(3, true);
  list.SetSelected(4, true);
  EXPECT_EQ(list.SelectedCount(), 3u);
  list.DeleteRows({3, 1});
  EXPECT_EQ(list.Items(), (std::vector<std::string>{"one", "three", "four"}));
  EXPECT_FALSE(list.Contains("TWO"));
  EXPECT_EQ(list.SelectedRows(), std::vector<std::size_t>{2});
  list.DeleteSelected();
  EXPECT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.SelectedCount(), 0u);
  EXPECT_FALSE(list.Contains("four"));
  list.Delete(0);
  list.Delete(7);  // out of range: ignored
  EXPECT_EQ(list.Items(), std::vector<std::string>{"three"});
  list.Clear();
  EXPECT_FALSE(list.Contains("three"));
}

TEST(ControlsListBox, EventsDescribeTheRowsThatChanged) {
  ListBox list("lst");
  std::vector<ControlEvent> events;
  Connection c = list.changed.Connect([&](const ControlEvent& e) { events.push_back(e); });
  list.AddMany({"a", "b"});
  list.Add("c");
  list.Delete(0);
  list.SetSelected(0, true);
  list.SetSelected(0, true);  // no change, no event
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(events[0].change, ControlChange::RowsInserted);
  EXPECT_EQ(events[0].first, 0u);
  EXPECT_EQ(events[0].last, 1u);
  EXPECT_EQ(events[1].first, 2u);
  EXPECT_EQ(events[2].change, ControlChange::RowsRemoved);
  EXPECT_EQ(events[3].change, ControlChange::Selection);
  c.Disconnect();
  list.Clear();
  EXPECT_EQ(events.size(), 4u);
}

TEST(ControlsListBox, SingleSelectionListKeepsOneRow) {
  ListBox list("lst");
  list.SetMultiSelect(false);
  list.AddMany({"a", "b", "c"});
  list.SetSelected(0, true);
  list.SetSelected(2, true);
  EXPECT_EQ(list.SelectedRows(), std::vector<std::size_t>{2});
}

TEST(ControlsButtons, DisabledOrHiddenControlsCannotBeClicked) {
  Button b("btn", "Go");
  int clicks = 0;
  b.onClick = [&] { ++clicks; };
  EXPECT_TRUE(b.Click());
  b.SetEnabled(false);
  EXPECT_FALSE(b.Click());
  b.SetEnabled(true);
  b.SetVisible(false);
  EXPECT_FALSE(b.Click());
  EXPECT_EQ(clicks, 1);

  CheckBox box("chk", "Box");
  box.onClick = [&] { ++clicks; };
  box.SetChecked(true);  // programmatic: no handler
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(box.Click());
  EXPECT_FALSE(box.Checked());
  EXPECT_EQ(clicks, 2);
}

TEST(ControlsButtons, UpDownStepsItsFieldWithinBoundsAndWraps) {
  Edit field("edtNumber");
  int changes = 0;
  field.onChange = [&] { ++changes; };
  UpDown wrapping("udNumber", field, 1, 100, true);
  field.SetText("100");
  EXPECT_TRUE(wrapping.Click(true));
  EXPECT_EQ(field.Text(), "1");
  EXPECT_TRUE(wrapping.Click(false));
  EXPECT_EQ(field.Text(), "100");
  EXPECT_EQ(changes, 2);  // each step is a user edit of the field
  // What is not a number, or lies outside the bounds, steps from the bound.
  field.SetText("abc");
  wrapping.Click(true);
  EXPECT_EQ(field.Text(), "2");
  field.SetText("-7");
  wrapping.Click(false);
  EXPECT_EQ(field.Text(), "100");
  field.SetText("99999999999999999999");
  EXPECT_EQ(wrapping.Position(), 1);

  UpDown stopping("udStop", field, 0, 3, false);
  field.SetText("3");
  stopping.Click(true);
  EXPECT_EQ(field.Text(), "3");
  stopping.SetEnabled(false);
  EXPECT_FALSE(stopping.Click(false));
  EXPECT_EQ(field.Text(), "3");
}

TEST(ControlsButtons, RadioGroupIsExclusive) {
  RadioGroup group;
  RadioButton a("a", "A", &group), b("b", "B", &group), c("c", "C", &group);
  a.SetChecked(true);
  b.Click();
  EXPECT_FALSE(a.Checked());
  EXPECT_TRUE(b.Checked());
  EXPECT_EQ(group.CheckedButton(), &b);
  b.SetChecked(false);
  EXPECT_EQ(group.CheckedButton(), nullptr);
}

TEST(ControlsText, UserEditsRunHandlersAndProgrammaticSetsDoNot) {
  Edit e("edt");
  int changes = 0, events = 0;
  e.onChange = [&] { ++changes; };
  Connection c = e.changed.Connect([&](const ControlEvent&) { ++events; });
  e.SetText("x");
  e.UserSetText("xy");
  e.UserSetText("xy");  // unchanged: nothing
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(events, 2);

  ComboBox combo("cbo");
  combo.SetItems({"one", "two"});
  combo.SetItemIndex(1);
  EXPECT_EQ(combo.Text(), "two");
  int selected = 0;
  combo.onSelect = [&] { ++selected; };
  EXPECT_FALSE(combo.UserSelect(5));
  EXPECT_TRUE(combo.UserSelect(0));
  EXPECT_EQ(combo.Text(), "one");
  EXPECT_EQ(selected, 1);
  combo.SetItems({"z"});
  EXPECT_EQ(combo.ItemIndex(), 0);
  combo.SetItems({});
  EXPECT_EQ(combo.ItemIndex(), -1);
}

TEST(ControlsPages, DisabledTabCannotBeActivated) {
  PageControl pages("pge");
  TabSheet a("a", "A"), b("b", "B");
  pages.AddPage(&a);
  pages.AddPage(&b);
  EXPECT_TRUE(pages.SetActivePageIndex(0));
  b.SetEnabled(false);
  EXPECT_FALSE(pages.SetActivePageIndex(1));
  EXPECT_EQ(pages.ActivePage(), &a);
  EXPECT_FALSE(pages.SetActivePageIndex(9));
}

TEST(ControlsSignal, ListenersMayDisconnectWhileNotified) {
  Signal<int> signal;
  int first = 0, second = 0;
  Connection b;
  Connection a = signal.Connect([&](int v) {
    first += v;
    b.Disconnect();
  });
  b = signal.Connect([&](int v) { second += v; });
  signal.Emit(1);
  signal.Emit(1);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(second, 0);
  {
    Connection scoped = signal.Connect([&](int) { ++second; });
  }
  signal.Emit(1);
  EXPECT_EQ(second, 0);
}

TEST(ListBoxTest, MembershipIsRightWhetherTheIndexCameEarlyOrLate) {
  // The same changes, once with a question before them (the index follows
  // every change) and once without (the index is built at the end).
  for (bool early : {true, false}) {
    SCOPED_TRACE(early ? "index early" : "index late");
    for (bool sorted : {false, true}) {
      ListBox list("lst", sorted);
      if (early) {
        EXPECT_FALSE(list.Contains("a"));
      }
      list.AddMany({"Alpha", "beta", "GAMMA", "beta"});
      list.Add("\xC3\x84rger");
      list.Insert(0, "delta");
      list.Delete(0);
      list.DeleteRows({0, 1});
      if (early) {
        EXPECT_TRUE(list.Contains("\xC3\xA4RGER"));
      }
      list.AddNew({"Epsilon", "epsilon", "GAMMA"});
      std::vector<std::string> want = list.Items();
      for (const std::string& item : want) {
        EXPECT_TRUE(list.Contains(CaseFold(item))) << item;
        EXPECT_EQ(list.Item(static_cast<std::size_t>(list.IndexOf(item))), item);
      }
      for (const char* gone : {"delta", "alpha", "zeta"}) {
        if (std::find(want.begin(), want.end(), gone) == want.end()) {
          EXPECT_FALSE(list.Contains(gone)) << gone;
        }
      }
      list.SetItems({"one", "Two"});
      EXPECT_TRUE(list.Contains("TWO"));
      EXPECT_FALSE(list.Contains("Epsilon"));
    }
  }
}

TEST(ListBoxTest, AddNewTakesEachNameOnceAndKeepsTheIndexRight) {
  ListBox sorted("lst", true);
  sorted.Add("beta");
  std::vector<ControlChange> seen;
  Connection c = sorted.changed.Connect([&](const ControlEvent& e) { seen.push_back(e.change); });
  EXPECT_EQ(sorted.AddNew({"Alpha", "BETA", "alpha", "skip", "gamma"},
                          [](const std::string& s) { return s != "skip"; }),
            2u);
  EXPECT_EQ(sorted.Items(), (std::vector<std::string>{"Alpha", "beta", "gamma"}));
  EXPECT_EQ(sorted.IndexOf("GAMMA"), 2);
  EXPECT_EQ(sorted.AddNew({"ALPHA"}), 0u);
  EXPECT_EQ(seen, std::vector<ControlChange>{ControlChange::RowsReset});  // nothing added, nothing told

  std::vector<std::string> taken = sorted.TakeItems();
  EXPECT_EQ(taken.size(), 3u);
  EXPECT_TRUE(sorted.Empty());
  EXPECT_FALSE(sorted.Contains("alpha"));
  sorted.Add("alpha");
  EXPECT_TRUE(sorted.Contains("ALPHA"));
}

TEST(ListBoxTest, SortedBatchesMergeIntoTheOrderOfOneFullSort) {
  // Case variants, identical repeats (AddMany keeps them), non-ASCII letters
  // that fold to ASCII neighbours, and batches of every size.
  std::vector<std::string> pool = {"b",  "B",        "a",   "\xC3\x84pfel", "\xC3\xA4pfel", "apfel", "Zebra",
                                   "zebra", "\xE1\xBA\x9E", "ss", "a b", "a",         "",       "\xFF"};
  std::vector<std::string> all;
  ListBox list("lst", true);
  unsigned seed = 7;
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> batch;
    const int size = round % 7;
    for (int k = 0; k < size; ++k) {
      seed = seed * 1103515245u + 12345u;
      std::string item = pool[(seed >> 16) % pool.size()] + std::to_string(seed % 3);
      batch.push_back(item);
    }
    if (round % 2 == 0) {
      list.AddMany(batch);
      all.insert(all.end(), batch.begin(), batch.end());
    } else {
      list.AddNew(batch);
      for (const std::string& item : batch) {
        const bool known = std::any_of(all.begin(), all.end(), [&](const std::string& s) { return SameText(s, item); });
        if (!known) all.push_back(item);
      }
    }
    std::vector<std::string> want = all;
    std::sort(want.begin(), want.end(), [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
    ASSERT_EQ(list.Items(), want) << "round " << round;
    for (const std::string& item : want) ASSERT_TRUE(list.Contains(item)) << item;
  }
}

TEST(ListBoxTest, PendingItemsCountAsMembersButJoinOnlyAtTheFlush) {
  for (bool sorted : {false, true}) {
    SCOPED_TRACE(sorted ? "sorted" : "unsorted");
    ListBox list("lst", sorted);
    list.Add("b");
    std::vector<ControlChange> seen;
    Connection c = list.changed.Connect([&](const ControlEvent& e) { seen.push_back(e.change); });
    EXPECT_TRUE(list.AddPending("c", FoldKeyOf("c")));
    EXPECT_TRUE(list.AddPending("A", FoldKeyOf("A")));
    EXPECT_FALSE(list.AddPending("B", FoldKeyOf("B")));  // in the list
    EXPECT_FALSE(list.AddPending("C", FoldKeyOf("C")));  // in the batch
    EXPECT_TRUE(list.Contains("a"));
    EXPECT_EQ(list.Items(), std::vector<std::string>{"b"});
    EXPECT_TRUE(seen.empty());
    list.FlushPending();
    EXPECT_EQ(list.Items(), sorted ? (std::vector<std::string>{"A", "b", "c"}) : (std::vector<std::string>{"b", "c", "A"}));
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(list.PendingCount(), 0u);

    // Dropped or cleared, a pending item leaves no trace in the index.
    EXPECT_TRUE(list.AddPending("d", FoldKeyOf("d")));
    list.DropPending();
    EXPECT_FALSE(list.Contains("d"));
    EXPECT_TRUE(list.AddPending("e", FoldKeyOf("e")));
    list.Clear();
    list.FlushPending();
    EXPECT_TRUE(list.Empty());
    EXPECT_FALSE(list.Contains("e"));
    EXPECT_TRUE(list.AddPending("e", FoldKeyOf("E")));
    list.FlushPending();
    EXPECT_EQ(list.Items(), std::vector<std::string>{"e"});
    list.Delete(0);
    EXPECT_FALSE(list.Contains("e"));
  }
}

TEST(ControlsComboBox, IndexOfIsExactAndAnswersTheFirstOfRepeats) {
  ComboBox combo("cbo");
  EXPECT_EQ(combo.IndexOf(""), -1);
  combo.AddItem("D:\\a");
  combo.AddItem("d:\\A");
  combo.AddItem("D:\\a");
  combo.AddItem("");
  EXPECT_EQ(combo.IndexOf("D:\\a"), 0);
  EXPECT_EQ(combo.IndexOf("d:\\A"), 1);
  EXPECT_EQ(combo.IndexOf("d:\\a"), -1);  // exact text, not case-blind
  EXPECT_EQ(combo.IndexOf(""), 3);
  // Many more after the first question: the index grows and catches up.
  for (int i = 0; i < 5000; ++i) combo.AddItem("item" + std::to_string(i));
  EXPECT_EQ(combo.IndexOf("item0"), 4);
  EXPECT_EQ(combo.IndexOf("item4999"), 5003);
  EXPECT_EQ(combo.IndexOf("item5000"), -1);
  combo.SetItems({"x", "D:\\a"});
  EXPECT_EQ(combo.IndexOf("D:\\a"), 1);
  EXPECT_EQ(combo.IndexOf("item0"), -1);
  combo.ClearItems();
  EXPECT_EQ(combo.IndexOf("x"), -1);
  combo.AddItem("x");
  EXPECT_EQ(combo.IndexOf("x"), 0);
  // A typed text that is an item selects it.
  combo.UserSetText("x");
  EXPECT_EQ(combo.ItemIndex(), 0);
}

}  // namespace
}  // namespace quillory
