// Zoom windows of the result lists.
#pragma once

#include "results/visual_log_windows.h"

namespace quillory {

class TfrmVol02ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol02ZoomStatistics() : ZoomStatisticsWindow("TfrmVol02ZoomStatistics", "02") {}
};

class TfrmVol03ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol03ZoomStatistics() : ZoomStatisticsWindow("TfrmVol03ZoomStatistics", "03") {}
};

class TfrmVol04ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol04ZoomStatistics() : ZoomStatisticsWindow("TfrmVol04ZoomStatistics", "04") {}
};

class TfrmVol06ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol06ZoomStatistics() : ZoomStatisticsWindow("TfrmVol06ZoomStatistics", "06") {}
};

class TfrmVol07ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol07ZoomStatistics() : ZoomStatisticsWindow("TfrmVol07ZoomStatistics", "07") {}
};

class TfrmVol08ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol08ZoomStatistics() : ZoomStatisticsWindow("TfrmVol08ZoomStatistics", "08") {}
};

}  // namespace quillory
