#include <gtest/gtest.h>

#include <string>

#include "app/scripted_ui.h"
#include "structures/structure_windows.h"
#include "support/app_fixture.h"

namespace quillory {
namespace {

class TemplateOptionsTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    MAP_FOLDER_TEMPLATE_OPTIONS.clear();
    main = &Start();
    options = app->FindAs<TfrmFolderTemplateOptions>();
    ASSERT_NE(options, nullptr);
    ui->ClearCalls();
  }
  void TearDown() override {
    MAP_FOLDER_TEMPLATE_OPTIONS.clear();
    AppTest::TearDown();
  }

  // Opens the options from a page's "Options" and runs `block` inside.
  void OpenFrom(StructuresGroup& group, const std::function<ModalResult(TfrmFolderTemplateOptions&)>& block) {
    ui->modalBlocks["TfrmFolderTemplateOptions"] = [block](Window& w) {
      return block(dynamic_cast<TfrmFolderTemplateOptions&>(w));
    };
    group.OptionsClick();
  }

  TfrmMain* main = nullptr;
  TfrmFolderTemplateOptions* options = nullptr;
};

TEST_F(TemplateOptionsTest, TheWindowCaptionsAreThoseOfTheProgram) {
  EXPECT_EQ(options->Caption(), "Options for Folder Templates");
  EXPECT_EQ(options->grpFolderTemplateOptions.Caption(), "Copy/Attach from Text based Folder Templates");
  EXPECT_EQ(options->rdoFolderTemplateOptionsReplaceNo.Caption(), "Whole Folder Paths.");
  EXPECT_EQ(options->rdoFolderTemplateOptionsReplaceFirst.Caption(), "Folder Paths Without the First (Main) Folders.");
  EXPECT_EQ(options->rdoFolderTemplateOptionsReplaceAll.Caption(),
            "Folder Paths Without the Main Folders from the template and replace all the occurrences of the Main "
            "Folder in the Paths with the Last Subfolders from the Include Window.");
  EXPECT_EQ(options->rdoFolderTemplateOptionsReplaceRemainder.Caption(),
            "Attach the whole Paths from the Template  and Replaces  the search terms with the Main Folders from the "
            "Include Window.");
  // Never offered: neither visible nor clickable.
  EXPECT_FALSE(options->grpFolderTemplateOptionsSearchTerms.Visible());
  EXPECT_FALSE(options->rdoFolderTemplateOptionsReplaceRemainder.Click());
}

TEST_F(TemplateOptionsTest, TheCopyPageShowsWholePathsWhenNothingIsStored) {
  bool wholeChecked = false;
  int key = 0;
  OpenFrom(main->vol08.structures, [&](TfrmFolderTemplateOptions& w) {
    wholeChecked = w.rdoFolderTemplateOptionsReplaceNo.Checked();
    key = w.PageKeyValue();
    return ModalResult::None;
  });
  EXPECT_TRUE(wholeChecked);
  EXPECT_EQ(key, 4);
  EXPECT_TRUE(MAP_FOLDER_TEMPLATE_OPTIONS.empty()) << "closing without OK stores nothing";
}

TEST_F(TemplateOptionsTest, OkStoresExactlyOneFlagUnderThePagesKeyAndCancelDiscards) {
  OpenFrom(main->vol04.structures, [](TfrmFolderTemplateOptions& w) {
    EXPECT_TRUE(w.rdoFolderTemplateOptionsReplaceFirst.Click());
    EXPECT_TRUE(w.btnFolderTemplateOptionsOk.Click());
    return ModalResult::None;
  });
  ASSERT_EQ(MAP_FOLDER_TEMPLATE_OPTIONS.count(1), 1u) << "Vol04 is key 1";
  const _tagFoldersTemplateOptions& stored = MAP_FOLDER_TEMPLATE_OPTIONS.at(1);
  EXPECT_FALSE(stored.wholePaths || stored.replaceTerms || stored.replaceAll);
  EXPECT_TRUE(stored.withoutFirst);
  EXPECT_EQ(TemplateKindOf(1).kind, TemplateKindCode::WithoutFirst);
  EXPECT_EQ(TemplateKindOf(4).kind, TemplateKindCode::WholePaths) << "other pages untouched";

  // Reopened, the stored choice is checked; Cancel keeps it.
  bool firstChecked = false;
  OpenFrom(main->vol04.structures, [&](TfrmFolderTemplateOptions& w) {
    firstChecked = w.rdoFolderTemplateOptionsReplaceFirst.Checked();
    w.rdoFolderTemplateOptionsReplaceAll.Click();
    w.btnFolderTemplateOptionsCancel.Click();
    return ModalResult::None;
  });
  EXPECT_TRUE(firstChecked);
  EXPECT_TRUE(MAP_FOLDER_TEMPLATE_OPTIONS.at(1).withoutFirst);

  // Another page's window opens on its own record, not the last one shown.
  bool wholeOnVol02 = false;
  OpenFrom(main->vol02.structures, [&](TfrmFolderTemplateOptions& w) {
    wholeOnVol02 = w.rdoFolderTemplateOptionsReplaceNo.Checked();
    EXPECT_TRUE(w.rdoFolderTemplateOptionsReplaceAll.Click());
    EXPECT_TRUE(w.btnFolderTemplateOptionsOk.Click());
    return ModalResult::None;
  });
  EXPECT_TRUE(wholeOnVol02);
  EXPECT_TRUE(MAP_FOLDER_TEMPLATE_OPTIONS.at(2).replaceAll);
  EXPECT_FALSE(MAP_FOLDER_TEMPLATE_OPTIONS.at(2).wholePaths);
}

TEST_F(TemplateOptionsTest, AStoredSearchTermRecordChecksTheHiddenChoiceWithItsText) {
  _tagFoldersTemplateOptions terms;
  terms.wholePaths = false;
  terms.replaceTerms = true;
  terms.searchTerms = "Main";
  MAP_FOLDER_TEMPLATE_OPTIONS[3] = terms;
  OpenFrom(main->vol03.structures, [](TfrmFolderTemplateOptions& w) {
    EXPECT_TRUE(w.rdoFolderTemplateOptionsReplaceRemainder.Checked());
    EXPECT_EQ(w.edtFolderTemplateOptionsReplaceRemainder.Text(), "Main");
    EXPECT_TRUE(w.edtFolderTemplateOptionsReplaceRemainder.Enabled()) << "follows its radio";
    EXPECT_TRUE(w.btnFolderTemplateOptionsOk.Click());
    return ModalResult::None;
  });
  const _tagFoldersTemplateOptions& stored = MAP_FOLDER_TEMPLATE_OPTIONS.at(3);
  EXPECT_TRUE(stored.replaceTerms);
  EXPECT_EQ(stored.searchTerms, "Main");
  EXPECT_FALSE(stored.wholePaths || stored.withoutFirst || stored.replaceAll);
}

TEST_F(TemplateOptionsTest, HelpOpensTheTopicOfThePageThatOpenedTheWindow) {
  OpenFrom(main->vol03.structures, [](TfrmFolderTemplateOptions& w) {
    EXPECT_TRUE(w.btnFolderTemplateOptionsHelp.Click());
    return ModalResult::None;
  });
  bool helpShown = false;
  for (const UiCall& c : ui->calls)
    if (c.kind == "modal" && c.caption == "TfrmAltalanosHelp") helpShown = true;
  EXPECT_TRUE(helpShown);
  EXPECT_EQ(app->help->Topic(), "Vol03");
}

}  // namespace
}  // namespace quillory
