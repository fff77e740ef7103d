// A whole program in a temporary working folder mapped as D:, answering
// through a ScriptedUi, so a test can start, drive and restart it.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "shell/application.h"
#include "app/scripted_ui.h"
#include "app/settings_store.h"
#include "support/temp_drive.h"

namespace quillory {

// Works in the root of D:, so the program's "default.set" lands there.
class WorkingFolderTest : public TempDriveTest {
 protected:
  void SetUp() override {
    TempDriveTest::SetUp();
    char buf[4096];
    ASSERT_NE(::getcwd(buf, sizeof buf), nullptr);
    previousCwd_ = buf;
    ASSERT_EQ(::chdir(Host("D:\\").c_str()), 0);
  }
  void TearDown() override {
    if (!previousCwd_.empty()) (void)::chdir(previousCwd_.c_str());
    TempDriveTest::TearDown();
  }

 private:
  std::string previousCwd_;
};

class AppTest : public WorkingFolderTest {
 protected:
  void TearDown() override {
    app.reset();
    ui.reset();
    WorkingFolderTest::TearDown();
  }

  // Starts (or restarts) the program with a fresh settings store.
  TfrmMain& Start() {
    app.reset();
    ui = std::make_unique<ScriptedUi>();
    store = std::make_unique<SettingsStore>();
    app = std::make_unique<Application>(*ui, *store);
    return *app->main;
  }

  std::unique_ptr<ScriptedUi> ui;
  std::unique_ptr<SettingsStore> store;
  std::unique_ptr<Application> app;
};

// The program started with a destination chosen on the string page, whose
// list panel works only once it has one; nothing asked or shown so far.
class PagesTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    main = &Start();
    MakeDir("D:\\Dest");
    main->vol02.ChooseDestination("D:\\Dest");
    ui->ClearCalls();
  }

  TfrmMain* main = nullptr;
};

}  // namespace quillory
