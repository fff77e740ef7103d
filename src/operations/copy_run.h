// The copy page's run: each folder of its include list receives the listed
// structures or templates. Like the create pages' engine it shows nothing;
// every outcome is handed to the run's sink.
#pragma once

#include <string>
#include <vector>

#include "app/run_frame.h"
#include "operations/create_run.h"
#include "platform/file_system.h"

namespace quillory {

class CopyEngine {
 public:
  // Reads the structures; `setup.variant` is the copy page's.
  CopyEngine(FileSystem& fs, AttachSetup setup);
  const std::vector<std::string>& MissingStructures() const { return attacher_.Missing(); }
  // One destination: not there, or what it received and then the
  // destination itself when it received anything.
  void One(const std::string& destination, const OutcomeSink& sink);

 private:
  FileSystem& fs_;
  Attacher attacher_;
};

}  // namespace quillory
