// Where host paths really lead: every link on the way followed, the part
// that is not there yet kept as written. Folders are remembered, and
// nothing below a missing folder is looked at, so paths in few folders cost
// about one lstat each; safe to use from many threads.
#pragma once

#include <mutex>
#include <string>
#include <unordered_map>

namespace quillory {

class CanonicalPaths {
 public:
  // An absolute, lexically clean host path. `followLast` false leaves a
  // link that is the last name as the link (a rename moves the link).
  std::string Of(const std::string& host, bool followLast = true);

 private:
  struct Resolved {
    std::string path;
    bool exists = false;
  };
  Resolved Folder(const std::string& host);

  std::mutex mutex_;
  std::unordered_map<std::string, Resolved> folders_;
};

}  // namespace quillory
