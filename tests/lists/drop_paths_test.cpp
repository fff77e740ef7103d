#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/dropped_paths.h"
#include "lists/level_builder_window.h"
#include "lists/list_panel.h"
#include "structures/structures_group.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

using Items = std::vector<std::string>;

class DropTest : public PagesTest {
 protected:
  void SetUp() override {
    PagesTest::SetUp();
    // Only D: and C: cover anything, so a folder elsewhere lies off every drive.
    Drives().Remove('Z');
    Drives().Remove('H');
    char pattern[] = "/tmp/quillory-off-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    offDrive_ = pattern;
  }
  void TearDown() override {
    if (!offDrive_.empty()) std::filesystem::remove_all(offDrive_);
    PagesTest::TearDown();
  }

  std::vector<std::string> TakeMessages() {
    std::vector<std::string> out;
    for (const UiCall& c : ui->Messages()) out.push_back(c.caption + "|" + c.text);
    ui->ClearCalls();
    return out;
  }

  std::string offDrive_;
};

TEST_F(DropTest, ClassifiesWhatTheFileManagerDrops) {
  MakeDir("D:\\Clients\\Acme");
  MakeFile("D:\\list.txt", "D:\\a\r\nD:\\b\r\n");
  MakeFile("D:\\picture.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  MakeFile("D:\\empty.lst", "");
  FileSystem& fs = HostFileSystem();

  DroppedItem folder = ClassifyDrop(Host("D:\\Clients\\Acme") + "/", Drives(), fs);
  EXPECT_EQ(folder.kind, DropKind::Folder);
  EXPECT_EQ(folder.path, "D:\\Clients\\Acme");
  EXPECT_EQ(ClassifyDrop(Host("D:\\list.txt"), Drives(), fs).kind, DropKind::TextFile);
  // Text is told by content, not by the name's extension.
  EXPECT_EQ(ClassifyDrop(Host("D:\\empty.lst"), Drives(), fs).kind, DropKind::TextFile);
  EXPECT_EQ(ClassifyDrop(Host("D:\\picture.png"), Drives(), fs).kind, DropKind::OtherFile);
  EXPECT_EQ(ClassifyDrop(Host("D:\\gone"), Drives(), fs).kind, DropKind::Missing);
  EXPECT_EQ(ClassifyDrop("relative/dir", Drives(), fs).kind, DropKind::Missing);
  EXPECT_EQ(ClassifyDrop("", Drives(), fs).kind, DropKind::Missing);

  DroppedItem off = ClassifyDrop(offDrive_, Drives(), fs);
  EXPECT_EQ(off.kind, DropKind::OffDrives);
  const std::string why = DropRefusal(off, Drives());
  EXPECT_NE(why.find("\"" + offDrive_ + "\" lies on no drive"), std::string::npos) << why;
  EXPECT_NE(why.find("D:  " + RootD()), std::string::npos) << why;
  EXPECT_NE(why.find("C:  " + RootC()), std::string::npos) << why;
  EXPECT_NE(why.find("--drive D=/path"), std::string::npos) << why;
  EXPECT_NE(why.find("QUILLORY_DRIVES"), std::string::npos) << why;
}

TEST_F(DropTest, FolderOnAFolderPageIsAddedAsBrowseAddsIt) {
  MakeDir("D:\\Clients\\Acme");
  MakeDir("D:\\Clients\\Zeta");
  ListPanel& p8 = main->vol08.panel;
  p8.DropPaths({Host("D:\\Clients\\Acme"), Host("D:\\Clients\\Zeta")});
  EXPECT_EQ(p8.include.Items(), (Items{"D:\\Clients\\Acme", "D:\\Clients\\Zeta"}));
  EXPECT_EQ(main->vol08.lblVol08IncludeSum.Caption(), "2");
  EXPECT_TRUE(TakeMessages().empty());

  // The second time it is a duplicate, refused with Browse's own warning.
  p8.DropPaths({Host("D:\\Clients\\Acme")});
  EXPECT_EQ(p8.include.Count(), 2u);
  EXPECT_EQ(TakeMessages(), Items{"Copy Folder Structure(s).-From a Folder List - Level.            Warning no: "
                                  "0263.|This folder exists in the INCLUDE FOLDER LIST !!!"});

  // The delete page refuses a whole drive, dropped or browsed.
  ListPanel& p7 = main->vol07.panel;
  p7.DropPaths({RootD()});
  EXPECT_TRUE(p7.include.Empty());
  EXPECT_EQ(TakeMessages(),
            Items{"Delete Folder(s).-From a Folder List.            Warning no: 0334.|You can not Enter a drive without "
                  "Folder(s)!\nSo You can not Delete the Entire drive."});

  // A full path on Vol04, never cut in two where its name looks like a
  // second path; the folder's name on the string page.
  MakeDir("D:\\Clients\\x C:y");
  main->vol04.panel.DropPaths({Host("D:\\Clients\\Acme"), Host("D:\\Clients\\x C:y")});
  EXPECT_EQ(main->vol04.panel.include.Items(), (Items{"D:\\Clients\\Acme", "D:\\Clients\\x C:y"}));
  EXPECT_TRUE(TakeMessages().empty());
  ListPanel& p2 = main->vol02.panel;
  p2.DropPaths({Host("D:\\Clients\\Zeta"), Host("D:\\Clients\\Acme")});
  EXPECT_EQ(p2.include.Items(), (Items{"Acme", "Zeta"}));
  p2.DropPaths({RootD()});
  EXPECT_EQ(p2.include.Count(), 2u);
  EXPECT_EQ(TakeMessages(), Items{"Drag and Drop|\"D:\\\" is a whole drive; it has no folder name to add."});
}

TEST_F(DropTest, TextFileGoesThroughImportListAndOtherItemsAreRefused) {
  MakeFile("D:\\list.txt", "D:\\a\r\nD:\\b\r\n");
  MakeFile("D:\\data.bin", std::string("ab\0cd", 5));
  ListPanel& p8 = main->vol08.panel;
  p8.include.Add("D:\\old");
  ui->answers = {MessageAnswer::No};  // keep what the list holds
  p8.DropPaths({Host("D:\\list.txt")});
  EXPECT_TRUE(ui->answers.empty());
  EXPECT_EQ(p8.include.Items(), (Items{"D:\\old", "D:\\a", "D:\\b"}));
  // No file dialog: the dropped file is the chosen one.
  for (const UiCall& call : ui->calls) EXPECT_NE(call.kind, "open_file");
  ui->ClearCalls();

  p8.DropPaths({Host("D:\\nowhere")});
  EXPECT_EQ(TakeMessages(), Items{"Drag and Drop|\"D:\\nowhere\" does not exist (any more)."});
  p8.DropPaths({Host("D:\\data.bin")});
  EXPECT_EQ(TakeMessages(), Items{"Drag and Drop|\"D:\\data.bin\" is not a text file.\nDrop folders here, or a text "
                                  "file to import its lines."});

  // Of several items, one box at the end tells what was not taken and why.
  MakeDir("D:\\New");
  MakeDir("D:\\a");
  p8.DropPaths({Host("D:\\data.bin"), Host("D:\\a"), offDrive_, Host("D:\\New")});
  EXPECT_EQ(p8.include.Items(), (Items{"D:\\old", "D:\\a", "D:\\b", "D:\\New"}));
  const std::vector<std::string> messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  const std::string& text = messages[0];
  EXPECT_EQ(text.rfind("Drag and Drop|Of the 4 dropped items, 3 were not added:\n\"D:\\data.bin\" is not a text file.", 0),
            0u)
      << text;
  EXPECT_NE(text.find("\n\"D:\\a\": This folder exists in the INCLUDE FOLDER LIST !!!\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\n\"" + offDrive_ + "\" lies on no drive"), std::string::npos) << text;
}

TEST_F(DropTest, DisabledListTakesNothing) {
  MakeDir("D:\\A");
  ListPanel& p8 = main->vol08.panel;
  p8.include.SetEnabled(false);
  p8.DropPaths({Host("D:\\A")});
  EXPECT_TRUE(p8.include.Empty());
  EXPECT_TRUE(ui->calls.empty());
}

TEST_F(DropTest, StructuresListTakesFoldersOnlyWhileStructuresAreChosen) {
  MakeDir("D:\\Tree");
  MakeFile("D:\\t.txt", "\\x\n");
  StructuresGroup& group = main->vol08.structures;
  // At start templates are chosen: a folder is refused with a message.
  group.DropPaths({Host("D:\\Tree")});
  EXPECT_TRUE(group.list.Empty());
  EXPECT_EQ(TakeMessages(),
            Items{"Drag and Drop|Folders can be dropped here when \"" + group.rdoFullPaths.Caption() + "\" is chosen."});

  group.rdoFullPaths.Click();
  ui->ClearCalls();
  group.DropPaths({Host("D:\\Tree"), Host("D:\\t.txt")});
  EXPECT_EQ(group.list.Items(), Items{"D:\\Tree"});
  const std::vector<std::string> messages = TakeMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].rfind("Drag and Drop|Of the 2 dropped items, 1 was not added:\n\"D:\\t.txt\" is a file.", 0), 0u)
      << messages[0];
}

TEST_F(DropTest, FolderBoxesTakeOneFolderAsBrowseDoes) {
  MakeDir("D:\\Root");
  MakeDir("D:\\Other");
  MakeFile("D:\\f.txt", "x");
  DestinationChooser& destination = main->vol03.destination;
  destination.DropPaths({Host("D:\\Root")});
  EXPECT_EQ(destination.combo.Text(), "D:\\Root");
  EXPECT_TRUE(destination.Chosen());
  EXPECT_TRUE(TakeMessages().empty());

  destination.DropPaths({Host("D:\\Root"), Host("D:\\Other")});
  destination.DropPaths({Host("D:\\f.txt")});
  destination.DropPaths({offDrive_});
  EXPECT_EQ(destination.combo.Text(), "D:\\Root");
  const std::vector<std::string> messages = TakeMessages();
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[0], "Drag and Drop|This box takes one folder; 2 items were dropped.\nDrop a single folder.");
  EXPECT_EQ(messages[1], "Drag and Drop|\"D:\\f.txt\" is a file.\nOnly a folder can be dropped here.");
  EXPECT_NE(messages[2].find("lies on no drive"), std::string::npos);

  main->vol08.levels.DropPaths({Host("D:\\Root")});
  EXPECT_EQ(main->vol08.levels.cboLevelDestFolder.Text(), "D:\\Root");
  main->forced.DropRootFolder({Host("D:\\Other")});
  EXPECT_EQ(main->forced.cboRootFolders.Text(), "D:\\Other");
  auto& builder = *app->FindAs<TfrmSubFolderListBuilder>();
  builder.DropSource({Host("D:\\Root")});
  EXPECT_EQ(builder.cboMainSourceFolder.Text(), "D:\\Root");
  EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace quillory
