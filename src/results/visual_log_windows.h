// The Visual Log windows: one per operation page, shown without blocking the
// main window. Each carries the run flag that tells a real run from a
// simulation and the heading that says which.
#pragma once

#include <string>

#include "app/window.h"

namespace quillory {

class VisualLogWindow : public Window {
 public:
  // page: "02", "03", "04", "06", "07", "08"; process: "Folder/File Creation"...
  VisualLogWindow(std::string className, std::string caption, const std::string& page, std::string realHeading,
                  std::string simulationHeading);

  CheckBox& chkNormalSimulate;  // checked = the lists hold a real run
  Label& lblNormalSimulate;

  // Sets the heading from the run flag: centred, dark red.
  void RefreshHeading();
  const std::string& RealHeading() const { return realHeading_; }
  const std::string& SimulationHeading() const { return simulationHeading_; }

 private:
  std::string realHeading_;
  std::string simulationHeading_;
};

class TfrmStatistic02 : public VisualLogWindow {
 public:
  TfrmStatistic02();
};
class TfrmStatistic03 : public VisualLogWindow {
 public:
  TfrmStatistic03();
};
class TfrmStatistic04 : public VisualLogWindow {
 public:
  TfrmStatistic04();
};
class TfrmStatistic06 : public VisualLogWindow {
 public:
  TfrmStatistic06();
};
class TfrmStatistics07 : public VisualLogWindow {
 public:
  TfrmStatistics07();
};
class TfrmStatistic08 : public VisualLogWindow {
 public:
  TfrmStatistic08();
};

}  // namespace quillory
