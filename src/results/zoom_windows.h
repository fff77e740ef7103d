// Zoom windows of the result lists.
#pragma once

#include "app/window.h"

namespace quillory {

class TfrmVol02ZoomStatistics : public Window {
 public:
  TfrmVol02ZoomStatistics() : Window("TfrmVol02ZoomStatistics", "Zoom Window.") {}
};

class TfrmVol03ZoomStatistics : public Window {
 public:
  TfrmVol03ZoomStatistics() : Window("TfrmVol03ZoomStatistics", "Zoom Window.") {}
};

class TfrmVol04ZoomStatistics : public Window {
 public:
  TfrmVol04ZoomStatistics() : Window("TfrmVol04ZoomStatistics", "Zoom Window.") {}
};

class TfrmVol06ZoomStatistics : public Window {
 public:
  TfrmVol06ZoomStatistics() : Window("TfrmVol06ZoomStatistics", "Zoom Window.") {}
};

class TfrmVol07ZoomStatistics : public Window {
 public:
  TfrmVol07ZoomStatistics() : Window("TfrmVol07ZoomStatistics", "Zoom Window.") {}
};

class TfrmVol08ZoomStatistics : public Window {
 public:
  TfrmVol08ZoomStatistics() : Window("TfrmVol08ZoomStatistics", "Zoom Window.") {}
};

}  // namespace quillory
