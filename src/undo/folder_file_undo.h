// Takes away what one run made: the files it wrote, then the folders it
// created, deepest first. Only what is still exactly what the run made goes:
// a folder that is empty and still the same folder, a file that is still the
// file written; anything else stays and is reported, for a later retry.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quillory {

class FolderFileUndo {
 public:
  explicit FolderFileUndo(FileSystem& fs) : fs_(fs) {}

  // What the run made, in the order it was made (a later record of the same
  // path wins: it is what is there now).
  void SetFolders(std::vector<MadeFolder> folders) { folders_ = std::move(folders); }
  void SetFiles(std::vector<WrittenFile> files) { files_ = std::move(files); }

  // Every file; a failure is kept for the report.
  void RemoveFiles();
  // Deepest first (by the number of separators), the last made first among
  // equals. A folder no longer there is dropped; one that is not empty, not
  // the run's any more or cannot be removed is kept for the report.
  void RemoveFolders();
  void BuildReport();

  const std::vector<MadeFolder>& GetFailedFolders() const { return failedFolders_; }
  const std::vector<WrittenFile>& GetFailedFiles() const { return failedFiles_; }
  const std::vector<std::string>& GetVanishedFolders() const { return vanishedFolders_; }
  const std::string& GetReport() const { return report_; }

 private:
  FileSystem& fs_;
  std::vector<MadeFolder> folders_;
  std::vector<WrittenFile> files_;
  std::vector<MadeFolder> failedFolders_;
  std::vector<WrittenFile> failedFiles_;
  std::vector<std::string> vanishedFolders_;
  std::string report_;
};

// The messages of one page's Undo.
struct UndoTexts {
  std::string nothingText, nothingCaption;
  std::string questionText, questionCaption;
  std::string reportCaption;
  std::string endText, endCaption;
};

class Ui;

// A page's Undo: the nothing-to-undo warning when `nothing`, the question,
// then `load` gives the undo what to take away (only once the person said
// yes, so a No keeps the records whole) and the removal runs; `cleared` runs
// before the report and the end message are shown, to empty the page's
// records and keep the failures. False when nothing was done.
bool RunUndo(Ui& ui, FileSystem& fs, const UndoTexts& texts, bool nothing,
             const std::function<void(FolderFileUndo&)>& load,
             const std::function<void(const FolderFileUndo&)>& cleared);

}  // namespace quillory
