// Journals someone else could have written are never acted on: in a shared
// working folder another user can plant "default.undo" with journals naming
// the running user's own folders and files by their real identities.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "shell/main_window.h"
#include "support/app_fixture.h"
#include "undo/run_journal.h"

namespace quillory {
namespace {

using Paths = std::vector<std::string>;

constexpr uid_t kNobody = 65534;

class JournalTrustTest : public PagesTest {
 protected:
  Paths Captions() {
    Paths out;
    for (const UiCall& m : ui->Messages()) out.push_back(m.caption);
    return out;
  }
  // A journal of the string page that undoes the folder `victim` and the
  // file in it, with their real identities.
  std::string PlantedJournal(const char* victim, const char* file) {
    const FolderIdentity folder = FolderIdentityAt(victim);
    const FileIdentity written = FileIdentityAt(file);
    const auto n = [](auto v) { return std::to_string(v) + "\t"; };
    return std::string(kJournalVersionLine) + "\npage\tVol02\nattach\tF\ndestination\tD:\\Dest\\\nmain\t" + victim +
           "\nmain-made\t" + n(folder.device) + n(folder.inode) + n(folder.birthSeconds) +
           n(folder.birthNanoseconds) + "7\t" + victim + "\nwritten\t" + n(written.device) + n(written.inode) +
           n(written.size) + n(written.mtimeSeconds) + n(written.mtimeNanoseconds) + n(written.birthSeconds) +
           n(written.birthNanoseconds) + n(written.ctimeSeconds) + n(written.ctimeNanoseconds) + "7\t" + file +
           "\n";
  }
  void Restart() {
    main->FormClose();
    main = &Start();
  }
  void UndoStrings() {
    ui->ClearCalls();
    ui->answers.push_back(MessageAnswer::Yes);
    main->vol02.btnUndo.Click();
  }
};

TEST_F(JournalTrustTest, AJournalOthersCanWriteIsSetAsideAndNothingOfItIsUndone) {
  MakeFile("D:\\Dest\\victim\\keep.txt", "mine");
  MakeFile("D:\\default.undo\\Vol02.journal",
           PlantedJournal("D:\\Dest\\victim", "D:\\Dest\\victim\\keep.txt"));
  ASSERT_EQ(::chmod(Host("D:\\default.undo\\Vol02.journal").c_str(), 0666), 0);
  Restart();
  ASSERT_EQ(ui->Messages().size(), 1u);
  EXPECT_EQ(ui->Messages()[0].caption, "Creating Folder(s).-From a String List.            Warning no: 0621.");
  EXPECT_NE(ui->Messages()[0].text.find("Vol02.journal.untrusted"), std::string::npos);
  EXPECT_TRUE(IsFile("D:\\default.undo\\Vol02.journal.untrusted"));
  EXPECT_TRUE(main->vol02.records.createdMainFolders.empty());
  UndoStrings();
  EXPECT_EQ(Captions(), (Paths{"Creating Folder(s).-From a String List.            Warning no: 0028."}));
  EXPECT_EQ(ReadFile("D:\\Dest\\victim\\keep.txt"), "mine");

  // A journal of the program's own, readable only as it should be, loads.
  MakeFile("D:\\default.undo\\Vol02.journal",
           PlantedJournal("D:\\Dest\\victim", "D:\\Dest\\victim\\keep.txt"));
  ASSERT_EQ(::chmod(Host("D:\\default.undo\\Vol02.journal").c_str(), 0644), 0);
  Restart();
  EXPECT_TRUE(ui->Messages().empty());
  EXPECT_EQ(main->vol02.records.createdMainFolders, (Paths{"D:\\Dest\\victim"}));
}

// The probe as it was found: a second user plants the journals in a shared
// working folder (mode 1777).
TEST_F(JournalTrustTest, AnotherUsersJournalInASharedFolderIsNeverTaken) {
  if (::geteuid() != 0) GTEST_SKIP() << "acting as a second user needs root";
  MakeFile("D:\\Dest\\victim\\keep.txt", "mine");
  const std::string journal = PlantedJournal("D:\\Dest\\victim", "D:\\Dest\\victim\\keep.txt");
  // The temporary drive and its working folder are opened to everyone.
  ASSERT_EQ(::chmod(Host("D:\\").c_str(), 01777), 0);
  const std::string folder = Host("D:\\default.undo");
  RemoveTree(folder);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(2);
    if (::mkdir(folder.c_str(), 0755) != 0) ::_exit(3);
    std::ofstream out(folder + "/Vol02.journal", std::ios::binary);
    out << journal;
    ::_exit(out.good() ? 0 : 4);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 3) GTEST_SKIP() << "the second user cannot reach the temporary folder";
  ASSERT_EQ(WEXITSTATUS(status), 0);

  Restart();
  ASSERT_EQ(ui->Messages().size(), 1u);
  EXPECT_NE(ui->Messages()[0].text.find("\"nobody\""), std::string::npos) << ui->Messages()[0].text;
  EXPECT_TRUE(main->vol02.records.createdMainFolders.empty());
  UndoStrings();
  EXPECT_EQ(ReadFile("D:\\Dest\\victim\\keep.txt"), "mine");
  EXPECT_TRUE(IsDir("D:\\Dest\\victim"));
}

}  // namespace
}  // namespace quillory
