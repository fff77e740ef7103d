// The Visual Log windows: one per operation page, shown without blocking the
// main window. Each carries the run flag that tells a real run from a
// simulation, the heading that says which, the page's counter labels and its
// result lists, each with Export and Zoom. The zoom window keeps a second
// copy of every list and shows one at a time.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "app/page.h"
#include "app/window.h"

namespace quillory {

class TfrmFileExport;
class Ui;

// One result list of a page as the windows show it.
struct ResultListInfo {
  std::string list;         // Visual Log list name: "lstStat06FoldersRenamed"
  std::string group;        // not empty: the list opens a group with this caption
  std::string caption;      // the list's own caption inside its group; may be empty
  std::string zoomList;     // "lstVol06ZoomStatisticsFoldersRenamed"
  std::string zoomRadio;    // the zoom window's radio caption
  std::string zoomCaption;  // the caption above the zoom list
  std::string emptyText;    // the warning when an empty list is exported
  std::string emptyCaption;
};

// Of the six operation pages.
const std::vector<ResultListInfo>& PageResultLists(PageKey page);

class ZoomStatisticsWindow : public Window {
 public:
  ZoomStatisticsWindow(std::string className, PageKey page);

  struct Twin {
    ListBox* list;
    Label* caption;
    RadioButton* radio;
  };
  std::vector<Twin> twins;  // in the Visual Log's list order
  RadioGroup radios;
  Button& btnClose;

  // Hides every caption and list but this one's and checks only its radio.
  void Select(std::size_t index);
  // The one visible list; -1 before the first selection.
  long Selected() const { return selected_; }
  void Attach(Ui& ui) { ui_ = &ui; }

 private:
  long selected_ = -1;
  Ui* ui_ = nullptr;
};

class VisualLogWindow : public Window {
 public:
  VisualLogWindow(std::string className, std::string caption, PageKey page, std::string realHeading,
                  std::string simulationHeading);

  PageKey Page() const { return page_; }
  CheckBox& chkNormalSimulate;  // checked = the lists hold a real run
  Label& lblNormalSimulate;

  struct Result {
    ListBox* list;
    Label* group;    // nullptr: the list belongs to the group above it
    Label* caption;  // nullptr: the group caption is the list's
    Button* btnExport;
    Button* btnZoom;
  };
  std::vector<Result> results;  // in the table's order
  Button& btnOK;

  // Sets the heading from the run flag: centred, dark red.
  void RefreshHeading();
  const std::string& RealHeading() const { return realHeading_; }
  const std::string& SimulationHeading() const { return simulationHeading_; }

  // What Export and Zoom need; until attached both do nothing.
  void Attach(Ui& ui, TfrmFileExport& exportWindow, ZoomStatisticsWindow& zoom);
  ZoomStatisticsWindow* Zoom() const { return zoom_; }

  // The list's items, each text once and only those with a drive, go to the
  // export window, shown modally; an empty list gets its warning instead.
  void Export(std::size_t list);
  // Shows the list enlarged in the zoom window.
  void ZoomList(std::size_t list);

 private:
  PageKey page_;
  std::string realHeading_;
  std::string simulationHeading_;
  Ui* ui_ = nullptr;
  TfrmFileExport* export_ = nullptr;
  ZoomStatisticsWindow* zoom_ = nullptr;
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
