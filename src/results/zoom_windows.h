// Zoom windows of the result lists.
#pragma once

#include "results/visual_log_windows.h"

namespace quillory {

class TfrmVol02ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol02ZoomStatistics() : ZoomStatisticsWindow("TfrmVol02ZoomStatistics", PageKey::Vol02) {}
};

class TfrmVol03ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol03ZoomStatistics() : ZoomStatisticsWindow("TfrmVol03ZoomStatistics", PageKey::Vol03) {}
};

class TfrmVol04ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol04ZoomStatistics() : ZoomStatisticsWindow("TfrmVol04ZoomStatistics", PageKey::Vol04) {}
};

class TfrmVol06ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol06ZoomStatistics() : ZoomStatisticsWindow("TfrmVol06ZoomStatistics", PageKey::Vol06) {}
};

class TfrmVol07ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol07ZoomStatistics() : ZoomStatisticsWindow("TfrmVol07ZoomStatistics", PageKey::Vol07) {}
};

class TfrmVol08ZoomStatistics : public ZoomStatisticsWindow {
 public:
  TfrmVol08ZoomStatistics() : ZoomStatisticsWindow("TfrmVol08ZoomStatistics", PageKey::Vol08) {}
};

}  // namespace quillory
