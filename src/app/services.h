// What a window or engine needs of the world outside the program: the
// person (Ui), the disk (FileSystem), the kept settings and the drive map.
// Application makes one and hands it down, so a test can put a scripted Ui
// and a fault-injecting FileSystem under every window at once.
#pragma once

namespace quillory {

class DriveMap;
class FileSystem;
class SettingsStore;
class Ui;

struct Services {
  Ui& ui;
  FileSystem& fs;
  SettingsStore& settings;
  DriveMap& drives;
};

}  // namespace quillory
