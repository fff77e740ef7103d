#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

#include "app/run_jobs.h"
#include "app/settings_store.h"
#include "automation/automation.h"
#include "support/app_fixture.h"
#include "support/fault_file_system.h"

namespace quillory {
namespace {

TEST(AutomationWords, BareWordsAreLiteralAndQuotedWordsAreJson) {
  EXPECT_EQ(SplitScriptLine(R"(folder D:\new\tab)"), (std::vector<std::string>{"folder", "D:\\new\\tab"}));
  EXPECT_EQ(SplitScriptLine(R"(set edt "two\nlines \"q\" \\ \u00e9")"),
            (std::vector<std::string>{"set", "edt", "two\nlines \"q\" \\ \xC3\xA9"}));
  EXPECT_EQ(SplitScriptLine(R"(x "" y)"), (std::vector<std::string>{"x", "", "y"}));
  EXPECT_EQ(SplitScriptLine(R"("\ud83d\ude00")"), std::vector<std::string>{"\xF0\x9F\x98\x80"});
  EXPECT_THROW(SplitScriptLine(R"(set a "open)"), std::runtime_error);
  EXPECT_THROW(SplitScriptLine(R"(set a "\q")"), std::runtime_error);
}

TEST(AutomationWords, JsonOutputStaysValidForAnyBytes) {
  EXPECT_EQ(JsonString("a\\b\"c\n\t"), R"("a\\b\"c\n\t")");
  EXPECT_EQ(JsonString("\x01"), R"("\u0001")");
  EXPECT_EQ(JsonString("\xC3\xA9"), "\"\xC3\xA9\"");
  EXPECT_EQ(JsonString("bad\xFF"), R"("bad\u00ff")");
}

class AutomationTest : public WorkingFolderTest {
 protected:
  void SetUp() override {
    WorkingFolderTest::SetUp();
    Settings() = SettingsStore();
  }
  int Run(const std::string& script, AutomationStats* stats = nullptr) {
    std::istringstream in(script);
    out.str("");
    err.str("");
    return RunAutomation(in, out, err, {HostFileSystem(), Settings(), Drives()}, stats);
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    std::istringstream in(out.str());
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
  }
  std::ostringstream out, err;
};

TEST_F(AutomationTest, ScriptChoosesADestinationAndSeesTheFieldWarnings) {
  MakeDir("D:\\Clients");
  int rc = Run(
      "# choose, type, read back\n"
      "folder D:\\Clients\n"
      "click btnVol02AddDestFolder\n"
      "set edtVol02Prefix \"a?bc\"\n"
      "items lstVol02IncludeStrings b a\n"
      "check chkVol02Hyphen true\n"
      "dump edtVol02Prefix lblVol02StartFolder cboVol02DestFolders\n"
      "click btnVol02ViewDestFolder\n"
      "close\n");
  ASSERT_EQ(rc, 0) << err.str();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 8u) << out.str();
  EXPECT_EQ(lines[0], R"({"event":"select_folder","title":"Browse Title","answer":"D:\\Clients"})");
  const std::string warning =
      R"({"event":"message","kind":"warning","caption":"Creating Folder(s).-From a String List.            )"
      R"(Warning no: 0018.","text":"Illegal character in the Prefix :  ?","answer":"OK"})";
  EXPECT_EQ(lines[1], warning);
  EXPECT_EQ(lines[3], warning);
  EXPECT_EQ(lines[4],
            R"({"event":"dump","control":"edtVol02Prefix","type":"Edit","enabled":true,"visible":true,"focused":true,)"
            R"("text":"a"})");
  EXPECT_NE(lines[5].find(R"("caption":"D:\\Clients\\a-a")"), std::string::npos) << lines[5];
  EXPECT_NE(lines[6].find(R"("items":["D:\\Clients"],"itemIndex":0)"), std::string::npos) << lines[6];
  EXPECT_EQ(lines[7], R"({"event":"open_folder","path":"D:\\Clients"})");
  EXPECT_EQ(Settings().Vol02DestHistory(), std::vector<std::string>{"D:\\Clients"});
}

TEST_F(AutomationTest, ModalBlocksRunWhenTheWindowIsShown) {
  int rc = Run(
      "modal TfrmAltalanosHelp\n"
      "  dump lblHelpTopic btnMoreHelp\n"
      "  click btnHelpClose\n"
      "end\n"
      "click btnForcedHelp\n");
  ASSERT_EQ(rc, 0) << err.str();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 4u) << out.str();
  EXPECT_EQ(lines[0], R"({"event":"modal","window":"TfrmAltalanosHelp"})");
  EXPECT_NE(lines[1].find(R"("caption":"Create Folder -IV.")"), std::string::npos);
  EXPECT_NE(lines[2].find(R"("visible":true)"), std::string::npos);
  EXPECT_EQ(lines[3], R"({"event":"modal_end","window":"TfrmAltalanosHelp","result":"Close"})");
}

// "stop N" stops the next run after N items, as its Stop button would, and
// serves that run only.
TEST_F(AutomationTest, StopEndsTheNextRunAfterSoManyItems) {
  MakeDir("D:\\A\\x");
  MakeDir("D:\\B\\y");
  int rc = Run(
      "page tabFoldersDelete01\n"
      "add lstVol07IncludeFolderList D:\\A D:\\B\n"
      "stop 1\n"
      "click btnVol07DeleteFoldersSimulation\n"
      "click btnVol07DeleteFoldersSimulation\n"
      "window TfrmStatistics07\n"
      "dump lstStat07FoldersDeleted\n");
  ASSERT_EQ(rc, 0) << err.str();
  const std::string text = out.str();
  const std::size_t stopped = text.find("1 item was not processed.");
  ASSERT_NE(stopped, std::string::npos) << text;
  EXPECT_EQ(text.find("not processed", stopped + 30), std::string::npos) << "the second run was stopped too";
  EXPECT_NE(Lines().back().find(R"("items":["D:\\A\\x","D:\\B\\y"])"), std::string::npos) << Lines().back();
  EXPECT_EQ(Run("stop many\n"), 1);
}

// "jobs N" sets how many items of the next runs go at once; the output of
// a script is the same whatever it says.
TEST_F(AutomationTest, JobsLeaveAScriptsOutputAsItIs) {
  std::string outputs[2];
  for (int round = 0; round < 2; ++round) {
    RemoveTree(Host("D:\\T"));
    for (int i = 0; i < 30; ++i) MakeDir("D:\\T\\p" + std::to_string(i % 6) + "\\f" + std::to_string(i));
    out.str("");
    int rc = Run(std::string(round == 0 ? "jobs 1\n" : "jobs 16\n") +
                 "page tabFoldersRename01\n"
                 "add lstVol06IncludeFolderList D:\\T\\p0\\f0 D:\\T\\p1\\f1 D:\\T\\p2\\f2 D:\\T\\p3\\f3 "
                 "D:\\T\\p4\\f4 D:\\T\\p5\\f5 D:\\T\\p0 D:\\T\\p0\\f6\n"
                 "set edtVol06NewPrefix new\n"
                 "answer Yes\n"
                 "click btnVol06RenameFolders\n"
                 "window TfrmStatistic06\n"
                 "dump lstStat06FoldersRenamed\n"
                 "jobs auto\n");
    ASSERT_EQ(rc, 0) << err.str();
    outputs[round] = out.str();
  }
  EXPECT_EQ(outputs[0], outputs[1]);
  EXPECT_NE(outputs[1].find("newp0"), std::string::npos) << outputs[1];
  EXPECT_EQ(RunJobs(), kAutomaticJobs);
  EXPECT_EQ(Run("jobs 0\n"), 1);
  EXPECT_NE(err.str().find("usage: jobs N|auto"), std::string::npos) << err.str();
  EXPECT_EQ(Run("jobs 65\n"), 1);
}

TEST_F(AutomationTest, ScriptErrorsNameTheLineAndFail) {
  EXPECT_EQ(Run("click btnNoSuchThing\n"), 1);
  EXPECT_NE(err.str().find("line 1: unknown control btnNoSuchThing"), std::string::npos) << err.str();
  EXPECT_NE(Lines().back().find(R"("event":"error")"), std::string::npos);

  EXPECT_EQ(Run("\n\nclick btnVol02ViewDestFolder\n"), 1);
  EXPECT_NE(err.str().find("line 3: control btnVol02ViewDestFolder is disabled"), std::string::npos) << err.str();

  EXPECT_EQ(Run("answer Yes\n"), 1);
  EXPECT_NE(err.str().find("never asked for"), std::string::npos) << err.str();

  EXPECT_EQ(Run("click btnVol02AddDestFolder\n"), 1);
  EXPECT_NE(err.str().find("no scripted answer for the folder browser"), std::string::npos) << err.str();

  EXPECT_EQ(Run("screenshot shot.png 0\n"), 1);
  EXPECT_NE(err.str().find("screenshots need the quillory program"), std::string::npos) << err.str();

  EXPECT_EQ(Run("set edtVol02Prefix \"open\n"), 1);
  EXPECT_EQ(Run("page 1\nfrobnicate\n"), 1);
  EXPECT_NE(err.str().find("line 2: unknown command frobnicate"), std::string::npos) << err.str();
}

TEST_F(AutomationTest, EveryCommandTakesItsOwnNumberOfWords) {
  // An unquoted text with a blank is refused whole, not typed cut short.
  EXPECT_EQ(Run("set edtVol02Prefix a? b\n"), 1);
  EXPECT_NE(err.str().find("line 1: too many words; usage: set CONTROL TEXT"), std::string::npos) << err.str();
  EXPECT_EQ(Lines().size(), 1u) << "nothing typed, so no warning: " << out.str();

  EXPECT_EQ(Run("\nclick btnForcedHelp now\n"), 1);
  EXPECT_NE(err.str().find("line 2: too many words; usage: click CONTROL"), std::string::npos) << err.str();
  EXPECT_EQ(Lines().size(), 1u) << "the help window stayed shut: " << out.str();

  EXPECT_EQ(Run("dump\n"), 1);
  EXPECT_NE(err.str().find("line 1: usage: dump CONTROL..."), std::string::npos) << err.str();
  EXPECT_EQ(Run("add\n"), 1);
  EXPECT_NE(err.str().find("line 1: usage: add LIST TEXT..."), std::string::npos) << err.str();
  EXPECT_EQ(Run("close now\n"), 1);
  EXPECT_NE(err.str().find("line 1: too many words; usage: close"), std::string::npos) << err.str();

  // A page that is neither a tab's name nor a number is a script error, not
  // an exception the script would run on past.
  EXPECT_EQ(Run("page nosuch\n"), 1);
  EXPECT_NE(err.str().find("line 1: page nosuch cannot be selected"), std::string::npos) << err.str();
  EXPECT_EQ(out.str().find("exception"), std::string::npos) << out.str();
}

TEST_F(AutomationTest, AnErrorInsideAModalBlockNamesItsOwnLine) {
  EXPECT_EQ(Run("modal TfrmAltalanosHelp\n"
                "  dump lblHelpTopic\n"
                "  frobnicate\n"
                "end\n"
                "click btnForcedHelp\n"),
            1);
  EXPECT_NE(err.str().find("line 3: unknown command frobnicate"), std::string::npos) << err.str();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u) << out.str();
  EXPECT_EQ(lines[0], R"({"event":"modal","window":"TfrmAltalanosHelp"})");
}

TEST_F(AutomationTest, DisabledListsAndFieldsRefuseScriptedInputAsTheyRefuseAUser) {
  // Until a destination is chosen the string page's list panel is disabled.
  EXPECT_EQ(Run("items lstVol02IncludeStrings a b\n"), 1);
  EXPECT_NE(err.str().find("line 1: control lstVol02IncludeStrings is disabled"), std::string::npos) << err.str();
  EXPECT_EQ(Run("add lstVol02IncludeStrings a\n"), 1);
  EXPECT_NE(err.str().find("line 1: control lstVol02IncludeStrings is disabled"), std::string::npos) << err.str();
  EXPECT_EQ(Run("leave edtVol02AddToList\n"), 1);
  EXPECT_NE(err.str().find("line 1: control edtVol02AddToList is disabled"), std::string::npos) << err.str();

  MakeDir("D:\\Dest");
  ASSERT_EQ(Run("folder D:\\Dest\n"
                "click btnVol02AddDestFolder\n"
                "items lstVol02IncludeStrings b a\n"
                "add lstVol02IncludeStrings c\n"
                "leave edtVol02AddToList\n"
                "dump lstVol02IncludeStrings\n"),
            0)
      << err.str();
  EXPECT_NE(Lines().back().find(R"("count":3,)"), std::string::npos) << out.str();
}

TEST_F(AutomationTest, ListsAreFilledTypedMovedAndEditedByName) {
  int rc = Run(
      "set edtVol04AddToList \"D:\\\\a  D:\\\\b\"\n"
      "enter edtVol04AddToList\n"
      "select lstVol04IncludeFolderList D:\\a\n"
      "click btnVol04IncToExc\n"
      "modal TfrmVol04EditIncludeList\n"
      "  dump lblVol04EditLinesSum\n"
      "  set mmoVol04EditIncludeList \"D:\\\\b\\nD:\\\\c\\nD:\\\\a\"\n"
      "  click btnVol04EditIncludeListOk\n"
      "end\n"
      "click btnVol04EditIncludeList\n"
      "dump lstVol04IncludeFolderList lstVol04ExcludeFolderList lblVol04IncludeSum\n");
  ASSERT_EQ(rc, 0) << err.str() << out.str();
  const std::string all = out.str();
  EXPECT_NE(all.find(R"("control":"lblVol04EditLinesSum","type":"Label","enabled":true,"visible":true,"focused":false,"caption":"1")"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find(R"("control":"lstVol04IncludeFolderList","type":"ListBox","enabled":true,"visible":true,"focused":false,"count":2,)"
                     R"("items":["D:\\b","D:\\c"])"),
            std::string::npos)
      << all;
  EXPECT_NE(all.find(R"("items":["D:\\a"])"), std::string::npos) << all;
  EXPECT_NE(all.find(R"("caption":"2")"), std::string::npos) << all;
}

TEST_F(AutomationTest, DumpsShowColourFocusAndAQuestionsDefaultButton) {
  MakeDir("D:\\X");
  MakeDir("D:\\Root");
  ASSERT_EQ(Run("page tabFolderCreate01\n"
                "dump btnForcedErrorLog cboCreateFolderForced\n"
                "answer Yes\n"
                "set cboCreateFolderForced D:\\X\n"
                "click btnCreateFolderForced\n"
                "dump btnForcedErrorLog\n"
                "folder D:\\Root\n"
                "click btnAddRootFolders\n"
                "set cboSubFolder x\n"
                "enter cboSubFolder\n"
                "dump cboSubFolder cboCreateFolderForced\n"),
            0)
      << err.str();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 12u) << out.str();
  EXPECT_EQ(lines[0], R"({"event":"dump","control":"btnForcedErrorLog","type":"Button","enabled":true,"visible":true,)"
                      R"("focused":false,"caption":"Error Log","color":"green"})");
  // The page asks for the focus on its path field when it is shown.
  EXPECT_NE(lines[1].find(R"("control":"cboCreateFolderForced","type":"ComboBox","enabled":true,"visible":true,)"
                          R"("focused":true,)"),
            std::string::npos)
      << lines[1];
  // The folder was there already: a warning, then the question whether to
  // see the error log, which now paints its button red.
  EXPECT_NE(lines[3].find(R"("kind":"question",)"), std::string::npos) << lines[3];
  EXPECT_NE(lines[3].find(R"(,"answer":"Yes","default":"No"})"), std::string::npos) << lines[3];
  EXPECT_NE(lines[6].find(R"("control":"btnForcedErrorLog",)"), std::string::npos) << lines[6];
  EXPECT_NE(lines[6].find(R"("caption":"Error Log","color":"red"})"), std::string::npos) << lines[6];
  // Both combo boxes asked for the focus; only the one that asked last has it.
  EXPECT_NE(lines[10].find(R"("control":"cboSubFolder","type":"ComboBox","enabled":true,"visible":true,)"
                           R"("focused":true,)"),
            std::string::npos)
      << lines[10];
  EXPECT_NE(lines[11].find(R"("control":"cboCreateFolderForced","type":"ComboBox","enabled":true,"visible":true,)"
                           R"("focused":false,)"),
            std::string::npos)
      << lines[11];
  // Warnings and information boxes have one button, so no default is printed.
  for (std::size_t i : {2u, 9u}) {
    EXPECT_NE(lines[i].find(R"("event":"message")"), std::string::npos) << lines[i];
    EXPECT_EQ(lines[i].find("default"), std::string::npos) << lines[i];
  }
}

// Output that remembers how much of it had arrived at each flush.
class FlushRecorder : public std::stringbuf {
 public:
  std::vector<std::size_t> flushedAt;

 protected:
  int sync() override {
    flushedAt.push_back(str().size());
    return 0;
  }
};

TEST_F(AutomationTest, ALongScriptsEventsArePrintedInOrderAndForgotten) {
  std::string script;
  for (int i = 0; i < 3334; ++i) script += "set edtVol02Prefix \"a?b\"\ndump edtVol02Prefix\n";
  AutomationStats stats;
  ASSERT_EQ(Run(script, &stats), 0) << err.str();
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u * 3334) << out.str().substr(0, 2000);
  const std::string dump =
      R"({"event":"dump","control":"edtVol02Prefix","type":"Edit","enabled":true,"visible":true,"focused":true,)"
      R"("text":"a"})";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i % 3 == 2) ASSERT_EQ(lines[i], dump) << "line " << i;
    else ASSERT_NE(lines[i].find(R"("text":"Illegal character in the Prefix :  ?")"), std::string::npos) << "line " << i;
  }
  EXPECT_EQ(stats.retainedCalls, 0u);
  EXPECT_LT(stats.writes, lines.size() / 10) << "written in pieces, not an event at a time";
  EXPECT_GT(stats.writes, 1u) << "written as the script goes, not all at the end";
  EXPECT_LT(stats.peakPending * 8, out.str().size());
}

TEST_F(AutomationTest, AListOfAnyLengthIsDumpedInPieces) {
  std::string script = "items lstVol04IncludeFolderList";
  for (int i = 0; i < 20000; ++i) script += " D:\\item" + std::to_string(i);
  script += "\ndump lstVol04IncludeFolderList\n";
  AutomationStats stats;
  ASSERT_EQ(Run(script, &stats), 0) << err.str();
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(R"("count":20000,"items":["D:\\item0","D:\\item1",)"), std::string::npos);
  EXPECT_NE(lines[0].find(R"("D:\\item19999"],"selected":[]})"), std::string::npos);
  EXPECT_LT(stats.peakPending * 2, lines[0].size());
}

TEST_F(AutomationTest, OutputIsFlushedAtEveryQuestionModalWindowAndTheEnd) {
  MakeDir("D:\\Root");
  std::istringstream script(
      "answer Yes\n"
      "set cboCreateFolderForced D:\\A\n"
      "click btnCreateFolderForced\n"
      "modal TfrmAltalanosHelp\n"
      "  dump lblHelpTopic\n"
      "  click btnHelpClose\n"
      "end\n"
      "click btnForcedHelp\n"
      "dump cboCreateFolderForced\n");
  FlushRecorder recorder;
  std::ostream output(&recorder);
  ASSERT_EQ(RunAutomation(script, output, err, {HostFileSystem(), Settings(), Drives()}), 0) << err.str();
  std::vector<std::string> kinds;
  std::vector<std::size_t> ends;
  std::istringstream in(recorder.str());
  std::size_t at = 0;
  for (std::string l; std::getline(in, l);) {
    at += l.size() + 1;
    ends.push_back(at);
    kinds.push_back(l.substr(0, l.find(',')));
  }
  ASSERT_EQ(kinds, (std::vector<std::string>{R"({"event":"message")", R"({"event":"message")", R"({"event":"modal")",
                                              R"({"event":"dump")", R"({"event":"modal_end")", R"({"event":"dump")"}))
      << recorder.str();
  auto flushed = [&](std::size_t line) {
    return std::find(recorder.flushedAt.begin(), recorder.flushedAt.end(), ends[line]) != recorder.flushedAt.end();
  };
  EXPECT_TRUE(flushed(0)) << "the question";
  EXPECT_FALSE(flushed(1)) << "an information box waits for the next flush";
  EXPECT_TRUE(flushed(2)) << "the modal window";
  EXPECT_FALSE(flushed(3));
  EXPECT_TRUE(flushed(4)) << "the modal window's end";
  EXPECT_TRUE(flushed(5)) << "the end";
}

// The script's program is built on the world it is handed: a "drive" line
// maps into that map, the program's services are that disk, store and map,
// and a restart empties that store; the process-wide ones are left alone.
TEST_F(AutomationTest, AScriptRunsOnTheWorldItIsHanded) {
  MakeDir("D:\\Clients");
  FaultFileSystem disk;
  SettingsStore settings;
  DriveMap drives = Drives();  // the map the host disk finds D: through
  const auto globalLetters = Drives().Letters();
  int builds = 0;
  int diskCalls = 0;
  disk.onCall = [&](FsOp, std::string_view) { ++diskCalls; };
  bool handed = true;
  AutomationHooks hooks;
  hooks.started = [&](Application& app) {
    ++builds;
    handed = handed && &app.services.fs == &disk && &app.services.settings == &settings &&
             &app.services.drives == &drives;
  };
  std::istringstream script("drive E=" + RootD() + "\n" +
                            "folder D:\\Clients\n"
                            "click btnVol02AddDestFolder\n"
                            "answer Yes\n"
                            "set cboCreateFolderForced D:\\Made\n"
                            "click btnCreateFolderForced\n"
                            "close\n");
  ASSERT_EQ(RunAutomation(script, out, err, {disk, settings, drives}, nullptr, &hooks), 0) << err.str();
  EXPECT_TRUE(handed);
  EXPECT_EQ(drives.ToHost("E:\\x"), RootD() + "/x");
  EXPECT_EQ(Drives().Letters(), globalLetters) << "the process-wide map took the script's drive";
  EXPECT_GT(diskCalls, 0) << "the program did not work through the disk it was handed";
  EXPECT_GT(disk.Calls(FsOp::CreateFolders), 0);
  EXPECT_TRUE(IsDir("D:\\Made"));
  EXPECT_EQ(settings.Vol02DestHistory(), std::vector<std::string>{"D:\\Clients"});
  EXPECT_TRUE(Settings().Vol02DestHistory().empty());

  Settings().SetVol02DestHistory({"D:\\Kept"});
  std::istringstream again("restart\ndump pgeMain\n");
  ASSERT_EQ(RunAutomation(again, out, err, {disk, settings, drives}, nullptr, &hooks), 0) << err.str();
  EXPECT_EQ(builds, 2);
  EXPECT_TRUE(handed);
  EXPECT_EQ(Settings().Vol02DestHistory(), std::vector<std::string>{"D:\\Kept"});
}

TEST_F(AutomationTest, TheBatchProgramReadsAScriptFromStandardInput) {
  std::string command = std::string("printf 'dump pgeMain\\n' | ") + QUILLORY_BATCH_EXE + " --automate - 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  ASSERT_NE(pipe, nullptr);
  std::string output;
  char buf[512];
  while (std::fgets(buf, sizeof buf, pipe)) output += buf;
  int status = ::pclose(pipe);
  EXPECT_EQ(status, 0) << output;
  EXPECT_NE(output.find(R"("control":"pgeMain","type":"PageControl")"), std::string::npos) << output;
  EXPECT_NE(output.find(R"("activePage":0)"), std::string::npos) << output;
}

}  // namespace
}  // namespace quillory
