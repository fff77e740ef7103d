// The create and copy engines hand every outcome of an item as a value, in
// the order the item goes, messages included: nothing is shown, counted or
// recorded by them. A simulation classifies main folders as the run does.
#include "operations/create_run.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "operations/copy_run.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "support/fault_file_system.h"
#include "support/temp_drive.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

constexpr std::size_t Of(CreateList list) { return static_cast<std::size_t>(list); }
constexpr std::size_t Of(CopyList list) { return static_cast<std::size_t>(list); }

// One outcome in a few words: list (or "-"), path, and the message's caption.
std::string Shown(const ItemOutcome& o) {
  std::string s = o.list == kNoList ? "-" : std::to_string(o.list);
  s += ' ';
  s += o.path;
  if (o.message) {
    s += " !";
    s += o.message->caption;
  }
  return s;
}

class CreateEngineTest : public TempDriveTest {
 protected:
  FaultFileSystem fs;
  std::vector<ItemOutcome> outcomes;
  OutcomeSink Sink() {
    return [this](ItemOutcome&& o) { outcomes.push_back(std::move(o)); };
  }
  std::vector<std::string> ShownAll() const {
    std::vector<std::string> out;
    for (const ItemOutcome& o : outcomes) out.push_back(Shown(o));
    return out;
  }
  static CreationTarget Below(const std::string& relative) {
    CreationTarget t;
    t.how = CreationTarget::How::Below;
    t.destination = kDestination;
    t.path = std::string(kDestination) + "\\" + relative;
    t.relativeAt = t.path.size() - relative.size();
    return t;
  }
  static CreationTarget Whole(std::string path) {
    CreationTarget t;
    t.how = CreationTarget::How::Whole;
    t.path = std::move(path);
    return t;
  }
  static AttachSetup Attaching(SourceKind kind, std::vector<std::string> items, bool simulate = false) {
    AttachSetup setup;
    setup.kind = kind;
    setup.mode = AttachMode::MainWithFiles;
    setup.items = std::move(items);
    setup.simulate = simulate;
    setup.structureRefusedCaption = "structure refused";
    setup.templateRefusedCaption = "template refused";
    setup.createRules.page = PageKey::Vol02;
    return setup;
  }
  static constexpr const char* kDestination = "D:\\Dest";
};

TEST_F(CreateEngineTest, MessagesArriveAsOutcomesInTheOrderTheItemGoes) {
  MakeFile("D:\\S\\f1.txt", "1");
  MakeFile("D:\\S\\sub\\f2.txt", "22");
  // Measured before the run, then both files missing from the measure: each
  // copy brings up its warning where it happens.
  const FolderStructSize::FileSizes noSizes;
  AttachSetup setup = Attaching(SourceKind::Structures, {"D:\\S", "D:\\Dest\\a", "D:\\Gone"});
  setup.sizeMap = &noSizes;
  CreateEngine engine(fs, setup, MainFolderRules{});
  EXPECT_EQ(engine.MissingStructures(), (Paths{"D:\\Dest\\a", "D:\\Gone"}));
  engine.One(Below("a"), Sink());
  const std::string missing = MissingSizeMessage(PageKey::Vol02, true, "").caption;
  const std::string created = std::to_string(Of(CreateList::SubFoldersCreated));
  const std::string files = std::to_string(Of(CreateList::FilesCreated));
  EXPECT_EQ(ShownAll(), (Paths{
                            "- ",                                                         // D:\Dest made on the way
                            std::to_string(Of(CreateList::FoldersCreated)) + " D:\\Dest\\a",
                            created + " D:\\Dest\\a\\S",
                            files + " D:\\Dest\\a\\S\\f1.txt !" + missing,
                            created + " D:\\Dest\\a\\S\\sub",
                            files + " D:\\Dest\\a\\S\\sub\\f2.txt !" + missing,
                            // The missing structure that is this very folder, last.
                            "- D:\\Dest\\a !structure refused",
                        }));
  ASSERT_EQ(outcomes[0].made.size(), 1u);
  EXPECT_EQ(outcomes[0].made[0].path, "D:\\Dest");
  EXPECT_TRUE(outcomes[0].madeMain);
  EXPECT_EQ(outcomes[0].counterCount, 0);
  EXPECT_EQ(outcomes[3].message->text, "The path doesn't exists : \nD:\\S\\f1.txt");
  EXPECT_EQ(outcomes.back().message->kind, ItemMessage::Kind::Warning);
  EXPECT_EQ(outcomes.back().message->text,
            "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
            "Folder !!! \nDestination Folder : D:\\Dest\\a\nSource Folder      : D:\\Dest\\a");
  EXPECT_EQ(outcomes.back().counterCount, 0);
  EXPECT_EQ(outcomes.back().record, RecordSlot::None);
}

TEST_F(CreateEngineTest, ARefusedTemplateLineIsAWarningBetweenTheLinesAroundIt) {
  MakeDir(kDestination);
  CreateEngine engine(fs, Attaching(SourceKind::Templates, {"\\one", "\\A/B", "\\two"}), MainFolderRules{});
  engine.One(Below("m"), Sink());
  const std::string created = std::to_string(Of(CreateList::SubFoldersCreated));
  EXPECT_EQ(ShownAll(), (Paths{std::to_string(Of(CreateList::FoldersCreated)) + " D:\\Dest\\m",
                               created + " D:\\Dest\\m\\one", "- D:\\Dest\\m !template refused",
                               created + " D:\\Dest\\m\\two"}));
  EXPECT_EQ(outcomes[2].message->kind, ItemMessage::Kind::Warning);
}

TEST_F(CreateEngineTest, MainFoldersCountByThePagesRules) {
  const MainFolderRules rules{{3, 4, 50}, true, false};
  const auto names = CreatePageCounterNames();
  const auto counted = [&](const ItemOutcome& o) {
    std::vector<std::pair<std::string, double>> out;
    for (std::uint8_t i = 0; i < o.counterCount; ++i)
      out.emplace_back(names[o.counters[i].counter.index], o.counters[i].delta);
    return out;
  };
  using Counted = std::vector<std::pair<std::string, double>>;

  MainFolderResult done{OutcomeKind::Done, "D:\\Dest\\a", {MadeFolder{"D:\\Dest\\a", {1, 2}}}, {}, {}, {}};
  const ItemOutcome created = MainFolderOutcome(std::move(done), rules);
  EXPECT_EQ(counted(created), (Counted{{"FoldersCreated", 1}}));
  EXPECT_EQ(created.record, RecordSlot::MainFolder);
  EXPECT_EQ(created.list, Of(CreateList::FoldersCreated));
  EXPECT_TRUE(created.madeMain);
  ASSERT_EQ(created.made.size(), 1u);

  const ItemOutcome exists = MainFolderOutcome({OutcomeKind::AlreadyExists, "D:\\Dest\\b", {}, {}, {}, {}}, rules);
  EXPECT_EQ(counted(exists),
            (Counted{{"FoldersExists", 1}, {"SubFoldersExists", 3}, {"FilesExists", 4}, {"FilesSizeExists", 50}}));
  EXPECT_EQ(exists.record, RecordSlot::ExistingMainFolder);
  EXPECT_EQ(exists.list, Of(CreateList::FoldersExists));

  // A refusal adds the totals only by the rule or when the item asks; its
  // text is listed without control characters.
  const ItemOutcome other = MainFolderOutcome({OutcomeKind::Other, "D:\\Dest\\c\x01", {}, {}, {}, {}}, rules);
  EXPECT_EQ(counted(other), (Counted{{"FoldersOther", 1}}));
  EXPECT_EQ(other.record, RecordSlot::OtherMainFolder);
  EXPECT_EQ(other.list, Of(CreateList::FoldersOther));
  EXPECT_EQ(other.path.find('\x01'), std::string::npos);
  EXPECT_EQ(counted(MainFolderOutcome({OutcomeKind::Other, "x", {}, {}, {}, {}}, rules, true)),
            (Counted{{"FoldersOther", 1}, {"SubFoldersOther", 3}, {"FilesOther", 4}, {"FilesSizeOther", 50}}));
}

TEST_F(CreateEngineTest, ASimulationClassifiesMainFoldersAsTheRunDoes) {
  MakeDir("D:\\Dest\\exists");
  MakeFile("D:\\Dest\\file", "x");
  const std::string longName(300, 'x');
  const std::vector<CreationTarget> targets = {
      Below("new"),       Below("exists"),       Below(".."),          Below("a\\..\\..\\up"),
      Below(longName),    Below("deep\\er"),     Below("ctl\x07name"), Below(""),
      Below("file"),      Whole("D:\\W\\New"),   Whole("D:\\W\\" + longName + "\\x"),
      Whole("D:\\Dest\\exists"), Whole("D:\\Dest\\.\\dotted"), Whole("D:\\W\\c\x01"),
  };
  const auto mainFolders = [&](bool simulate) {
    outcomes.clear();
    CreateEngine engine(fs, Attaching(SourceKind::Nothing, {}, simulate), MainFolderRules{});
    for (const CreationTarget& target : targets) engine.One(target, Sink());
    Paths shown;
    for (const ItemOutcome& o : outcomes)
      if (o.list != kNoList) shown.push_back(Shown(o));
    return shown;
  };
  const Paths simulated = mainFolders(true);
  EXPECT_FALSE(IsDir("D:\\Dest\\new"));
  EXPECT_FALSE(IsDir("D:\\W"));
  const Paths run = mainFolders(false);
  EXPECT_TRUE(IsDir("D:\\Dest\\new"));
  ASSERT_EQ(run.size(), targets.size());
  // A file in the way is known only to the creation: the simulation, which
  // asks for a folder, takes the name for a new one.
  const std::string other = std::to_string(Of(CreateList::FoldersOther));
  const std::string made = std::to_string(Of(CreateList::FoldersCreated));
  EXPECT_EQ(run[8], other + " D:\\Dest\\file");
  EXPECT_EQ(simulated[8], made + " D:\\Dest\\file");
  for (std::size_t i = 0; i < targets.size(); ++i) {
    if (i == 8) continue;
    EXPECT_EQ(simulated[i], run[i]) << i;
  }
  EXPECT_EQ(run[0], made + " D:\\Dest\\new");
  EXPECT_EQ(run[1], std::to_string(Of(CreateList::FoldersExists)) + " D:\\Dest\\exists");
  for (std::size_t i : {2, 3, 4, 6, 7, 10, 13}) EXPECT_EQ(run[i].rfind(other + ' ', 0), 0u) << run[i];
}

TEST_F(CreateEngineTest, TheCopyEngineNamesEachDestinationAfterWhatItReceived) {
  MakeDir("D:\\Src\\sub");
  MakeDir("D:\\A");
  MakeDir("D:\\B\\one");
  AttachSetup setup = Attaching(SourceKind::Templates, {"\\one"});
  setup.variant = AttachVariant::CopyPage;
  CopyEngine templates(fs, setup);
  for (const char* destination : {"D:\\A", "D:\\B", "D:\\Missing", "NoDrive"}) templates.One(destination, Sink());
  EXPECT_EQ(ShownAll(), (Paths{std::to_string(Of(CopyList::SubFoldersCopied)) + " D:\\A\\one",
                               std::to_string(Of(CopyList::FoldersCopied)) + " D:\\A",
                               // B had it: counted there, and B received nothing.
                               std::to_string(Of(CopyList::SubFoldersExists)) + " D:\\B\\one",
                               std::to_string(Of(CopyList::FoldersNotExists)) + " D:\\Missing",
                               std::to_string(Of(CopyList::FoldersNotExists)) + " NoDrive"}));
  EXPECT_EQ(outcomes[1].record, RecordSlot::ProcessedMainFolder);
  EXPECT_EQ(outcomes[3].record, RecordSlot::MissingFolder);
  EXPECT_EQ(outcomes[3].kind, OutcomeKind::NotFound);

  // A structure copied into itself is refused with an information, and the
  // destination received nothing.
  outcomes.clear();
  setup = Attaching(SourceKind::Structures, {"D:\\Src"});
  setup.variant = AttachVariant::CopyPage;
  CopyEngine structures(fs, setup);
  structures.One("D:\\Src", Sink());
  ASSERT_EQ(outcomes.size(), 1u);
  EXPECT_EQ(Shown(outcomes[0]), "- D:\\Src !structure refused");
  EXPECT_EQ(outcomes[0].message->kind, ItemMessage::Kind::Information);
}

}  // namespace
}  // namespace quillory
