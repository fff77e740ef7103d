// What the three create pages share once a run starts: making each main
// folder, attaching the listed structures or templates to it, and counting
// every outcome into the page's counters, records and Visual Log.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/page.h"
#include "app/run_frame.h"
#include "operations/attach_engine.h"
#include "operations/attach_recorder.h"
#include "platform/file_system.h"

namespace quillory {

class OperationStatistics;
class Ui;
class VisualLogs;

// ---- main folders ----

// Why a folder cannot be made from these names, or nullopt: a "." or ".."
// name (it would land outside the folder aimed at), a name longer than the
// host allows, or a path longer than the host can address.
std::optional<std::string> RefusedNames(const std::string& path, const std::vector<std::string>& names);
// The names of a relative path, '\' and '/' both separating, empty ones left out.
std::vector<std::string> SplitNames(std::string_view relative);

struct MainFolderResult {
  OutcomeKind kind = OutcomeKind::Other;  // Done, AlreadyExists or Other
  std::string path;
  std::vector<MadeFolder> made;         // the folder itself and its missing parents, outermost first
  std::vector<MadeFolder> parentsMade;  // a missing destination made on the way, whatever came of the item
  std::string detail;                   // why not, for logs
};

// Makes main folders: created first and classified afterwards (a folder
// already there is found by the failed creation, not by a test before it).
// The destination stays open from one item to the next.
class MainFolderMaker {
 public:
  explicit MainFolderMaker(FileSystem& fs) : fs_(fs) {}
  MainFolderMaker(const MainFolderMaker&) = delete;
  MainFolderMaker& operator=(const MainFolderMaker&) = delete;
  ~MainFolderMaker();

  // `relative` below the destination the person chose: each name is made
  // from the descriptor of its parent, never through a link. `path` is the
  // folder as the lists show it. A missing destination is made first.
  MainFolderResult Below(std::string_view destination, std::string_view relative, const std::string& path);
  // A full path typed whole, resolved as the platform resolves it.
  MainFolderResult Whole(const std::string& path);

 private:
  FolderHandle Destination(std::string_view destination, std::vector<MadeFolder>* made, FsResult* failure);

  FileSystem& fs_;
  std::string open_;
  FolderHandle handle_ = kNoFolderHandle;
};

// ---- counting ----

// The main-folder outcomes of a create page, beside the attach engine's
// steps, into the counters, the records and the Visual Log.
struct CreateRecords {
  std::vector<std::string> createdMainFolders, existingMainFolders, otherMainFolders;
  std::vector<MadeFolder> madeMainFolders;  // what undo may remove, missing parents included
  AttachRecords attached;
  void Clear();
};

class CreateRecorder {
 public:
  CreateRecorder(PageKey page, OperationStatistics& stats, CreateRecords& records, VisualLogs* logs, Ui* ui);

  // One copy of the structures, added to the "already exist" and "other
  // reasons" rows where the page's rules say so.
  struct Totals {
    double folders = 0, files = 0, bytes = 0;
  };
  void SetTotals(Totals totals, bool onExists, bool onOther);

  void Created(const std::string& path, std::vector<MadeFolder>&& made);
  void Exists(const std::string& path);
  // `withTotals` adds the totals whatever the page's rule.
  void Other(const std::string& text, bool withTotals = false);
  // Folders a run made on the way, undone with the rest.
  void Made(const std::vector<MadeFolder>& made);
  StepSink Sink() { return attach_.Sink(); }
  AttachRecorder& Attach() { return attach_; }
  void Flush() { attach_.Flush(); }

 private:
  void AddTotals();

  PageKey page_;
  OperationStatistics& stats_;
  CreateRecords& records_;
  VisualLogs* logs_;
  AttachRecorder attach_;
  Totals totals_;
  bool onExists_ = false, onOther_ = false;
};

// ---- attaching ----

// What every new main folder of one run receives. Structures are read once
// when the run starts, before anything is written.
struct AttachSetup {
  SourceKind kind = SourceKind::Nothing;
  AttachMode mode = AttachMode::MainWithoutFiles;
  std::vector<std::string> items;  // the structures/templates list
  TemplateKind templateKind;
  bool overwriteFiles = false;
  AttachVariant variant = AttachVariant::CreatePage;
  std::vector<std::string> masks{"*.*"};  // the copy page's file selection
  const FolderStructSize::FileSizes* sizeMap = nullptr;
  bool simulate = false;
  std::string structureRefusedCaption;
  std::string templateRefusedCaption;
};

class Attacher {
 public:
  Attacher(FileSystem& fs, Ui& ui, AttachSetup setup);
  // `numberSuffix` is added to every name of a template line (page Vol03).
  // True when the target received something: a structure it was not
  // refused, or a template folder made.
  bool AttachTo(const std::string& target, const StepSink& sink, const std::string& numberSuffix = {});

 private:
  FileSystem& fs_;
  Ui& ui_;
  AttachSetup setup_;
  std::vector<std::unique_ptr<StructureSnapshot>> structures_;  // in list order, those that exist
};

// ---- the run ----

// What one item of a run is to become.
struct CreationTarget {
  enum class How { Refused, Below, Whole };
  How how = How::Refused;
  std::string path;         // the folder, or the text a refusal lists
  std::string_view destination;  // Below: held by the page for the run
  std::size_t relativeAt = 0;    // Below: where the part below the destination starts in `path`
  std::string numberSuffix;
  bool refusedWithTotals = false;
  static CreationTarget Refuse(std::string text, bool withTotals = false) {
    CreationTarget t;
    t.path = std::move(text);
    t.refusedWithTotals = withTotals;
    return t;
  }
};

// One run or simulation of a create page, as CreatePage::RunCreation goes it.
struct CreationPlan {
  bool simulate = false;
  // The page's checks before the question; each shows its own warning.
  std::function<bool()> validate;
  MessageText confirm, end;
  // After the question, with the frame prepared: false ends the run with
  // no item done and no end message (the warning is the caller's).
  std::function<bool()> proceed;
  std::size_t count = 0;
  std::function<CreationTarget(std::size_t)> target;
  AttachSetup attach;
  CreateRecorder::Totals totals;
  bool existsAddsTotals = false, otherAddsTotals = false;
  bool showVisualLog = true;
  std::string destination;  // a real run keeps it as lastRunDestination when not empty
  std::function<bool()> showExplorer;
  std::function<std::string()> explorerPath;
  std::function<void()> after;
};

// "Many Folders": each line cut at every separator of the import's list,
// quotation marks removed as the import removes them. `paths` keeps the
// characters a full path is made of (':', '\', '/', '.') uncut. Otherwise
// each line is one item.
std::vector<std::string> LineItems(const std::vector<std::string>& lines, bool many,
                                   const std::vector<std::string>& separators, bool paths);
// How many items LineItems gives, without keeping them.
std::size_t LineItemCount(const std::vector<std::string>& lines, bool many,
                          const std::vector<std::string>& separators, bool paths);

// A simulation's candidate that is a full path (with any drive) of at most
// 254 characters, by the name rules.
bool IsFullPathCandidate(const std::string& candidate);

// The texts of a simulation, the same on the three pages.
extern const char* const kSimulationQuestion;
extern const char* const kSimulationEnd;

}  // namespace quillory
