#include "results/visual_log_windows.h"

namespace quillory {

namespace {
const char* const kCreation = "Folder/File Creation Process.";
const char* const kCreationSim = "Simulate the Folder/File Creation Process.";
}  // namespace

VisualLogWindow::VisualLogWindow(std::string className, std::string caption, const std::string& page,
                                 std::string realHeading, std::string simulationHeading)
    : Window(std::move(className), std::move(caption)),
      chkNormalSimulate(Make<CheckBox>("chkStat" + page + "NormalSimulate", "")),
      lblNormalSimulate(Make<Label>("lblVol" + page + "NormalSimulate")),
      realHeading_(std::move(realHeading)),
      simulationHeading_(std::move(simulationHeading)) {
  chkNormalSimulate.SetVisible(false);
  chkNormalSimulate.SetChecked(true);
}

void VisualLogWindow::RefreshHeading() {
  lblNormalSimulate.SetCaption(chkNormalSimulate.Checked() ? realHeading_ : simulationHeading_);
  lblNormalSimulate.SetCentered(true);
  lblNormalSimulate.SetColor(Color::DarkRed);
}

TfrmStatistic02::TfrmStatistic02()
    : VisualLogWindow("TfrmStatistic02", "Detailed results for creating folders from a list of strings.", "02",
                      kCreation, kCreationSim) {}
TfrmStatistic03::TfrmStatistic03()
    : VisualLogWindow("TfrmStatistic03", "Detailed results for creating folders using increased numbers.", "03",
                      kCreation, kCreationSim) {}
TfrmStatistic04::TfrmStatistic04()
    : VisualLogWindow("TfrmStatistic04", "Detailed results for creating folders from a list of folders", "04",
                      kCreation, kCreationSim) {}
TfrmStatistic06::TfrmStatistic06()
    : VisualLogWindow("TfrmStatistic06", "Detailed Results for Rename Process.", "06", "Folder Rename Process.",
                      "Simulate the Folder Rename Process.") {}
TfrmStatistics07::TfrmStatistics07()
    : VisualLogWindow("TfrmStatistics07", "Detailed results for the Delete process.", "07",
                      "Folder/File Delete Process.", "Simulate the Folder/File Delete Process.") {}
TfrmStatistic08::TfrmStatistic08()
    : VisualLogWindow("TfrmStatistic08", "Detailed Results for Copied Subfolders and/or Files to Main Folders.", "08",
                      "Folder/File Copy Process.", "Simulate the Folder/File Copy Process.") {}

}  // namespace quillory
