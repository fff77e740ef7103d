// What the three create pages share once a run starts: making each main
// folder and attaching the listed structures or templates to it. The engine
// never shows a window: every outcome, messages included, is a value handed
// to the run's sink, for the page's recorder.
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
#include "operations/attach_outcomes.h"
#include "platform/made_folder_list.h"
#include "platform/text_list.h"
#include "platform/file_system.h"

namespace quillory {

class DriveMap;

// ---- main folders ----

// Why a folder cannot be made from these names, or nullopt: a "." or ".."
// name (it would land outside the folder aimed at), a name longer than the
// host allows, or a path longer than the host can address.
std::optional<std::string> RefusedNames(const std::string& path, const std::vector<std::string>& names);
// The names of a relative path, '\' and '/' both separating, empty ones left out.
std::vector<std::string> SplitNames(std::string_view relative);

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

struct MainFolderResult {
  OutcomeKind kind = OutcomeKind::Other;  // Done, AlreadyExists or Other
  std::string path;
  MadeFolders made;         // the folder itself and its missing parents, outermost first
  MadeFolders parentsMade;  // a missing destination made on the way, whatever came of the item
  std::string detail;                   // why not, for logs
  // Instead of `made` when the folder itself was all that was made: its
  // record, kept without a second copy of `path`.
  std::optional<MadeIdentity> madeHere;
};

// Makes main folders: created first and classified afterwards (a folder
// already there is found by the failed creation, not by a test before it).
// The destination stays open from one item to the next. A simulating maker
// refuses what the run refuses and makes nothing (see Simulated).
class MainFolderMaker {
 public:
  explicit MainFolderMaker(FileSystem& fs, bool simulate = false) : fs_(fs), simulate_(simulate) {}
  MainFolderMaker(const MainFolderMaker&) = delete;
  MainFolderMaker& operator=(const MainFolderMaker&) = delete;
  ~MainFolderMaker();

  // A target that is not Refused; its path becomes the result's.
  MainFolderResult Make(CreationTarget target);
  // `relative` below the destination the person chose: each name is made
  // from the descriptor of its parent, never through a link. `path` is the
  // folder as the lists show it. A missing destination is made first.
  MainFolderResult Below(std::string_view destination, std::string_view relative, const std::string& path);
  // A full path typed whole, resolved as the platform resolves it.
  MainFolderResult Whole(const std::string& path);

 private:
  // Below and Whole but for the result's path, which their callers give it.
  MainFolderResult MakeBelow(std::string_view destination, std::string_view relative, const std::string& path);
  MainFolderResult MakeWhole(const std::string& path);
  FolderHandle Destination(std::string_view destination, MadeFolders* made, FsResult* failure);
  MainFolderResult Simulated(const std::string& path, bool whole);

  FileSystem& fs_;
  bool simulate_;
  std::string open_;
  FolderHandle handle_ = kNoFolderHandle;
};

// How a create page counts a main folder.
struct MainFolderRules {
  OneCopyTotals totals;           // one copy of the structures
  bool existsAddsTotals = false;  // a folder there already adds them to its row
  bool otherAddsTotals = false;   // so does a folder refused
};

// The outcome of one main folder, by the create pages' rules; `withTotals`
// adds the totals to a refusal whatever the rule.
ItemOutcome MainFolderOutcome(MainFolderResult&& result, const MainFolderRules& rules, bool withTotals = false);

// The create pages' records of the last real run.
struct CreateRecords {
  TextList createdMainFolders;  // its paths shared with the Visual Log's
  std::vector<std::string> existingMainFolders, otherMainFolders;
  MadeFolderList madeMainFolders;  // what undo may remove, missing parents included
  AttachRecords attached;
  void Clear();
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
  CreateStepRules createRules;  // how a create page counts the steps
};

// The listed structures that are not there as a run starts (or name no
// drive). The attach passes them over, so the page tells the person.
std::vector<std::string> MissingStructures(const AttachSetup& setup, FileSystem& fs);

class Attacher {
 public:
  // Reads the structures.
  Attacher(FileSystem& fs, AttachSetup setup);
  // The listed structures not there as it was made.
  const std::vector<std::string>& Missing() const { return missing_; }
  // Every step as its outcome, and a structure or line refused for this
  // target as an outcome bearing the message (the copy page's structure
  // refusal informs, every other warns). `numberSuffix` is added to every
  // name of a template line (page Vol03). True when the target received
  // something: a structure it was not refused, or a template folder made.
  bool AttachTo(const std::string& target, const OutcomeSink& sink, const std::string& numberSuffix = {});
  bool AttachesAnything() const { return setup_.kind != SourceKind::Nothing; }

 private:
  ItemOutcome Outcome(const AttachStep& step) const;

  FileSystem& fs_;
  AttachSetup setup_;
  std::vector<std::string> missing_;
  std::vector<std::unique_ptr<StructureSnapshot>> structures_;  // in list order, those that exist
};

// ---- the run ----

// One item of a create run or simulation: its main folder, then what it
// receives.
class CreateEngine {
 public:
  // `attach.simulate` says whether anything is made.
  CreateEngine(FileSystem& fs, AttachSetup attach, MainFolderRules rules);
  const std::vector<std::string>& MissingStructures() const { return attacher_.Missing(); }
  void One(CreationTarget target, const OutcomeSink& sink) { One(maker_, std::move(target), sink); }
  // A worker's own way through its items: its own maker (and open
  // destination), the structures read once and shared.
  std::function<void(CreationTarget, const OutcomeSink&)> Worker();

 private:
  void One(MainFolderMaker& maker, CreationTarget&& target, const OutcomeSink& sink);

  FileSystem& fs_;
  bool simulate_;
  MainFolderMaker maker_;
  Attacher attacher_;
  MainFolderRules rules_;
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
  OneCopyTotals totals;
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
TextList LineItems(const TextList& lines, bool many, const std::vector<std::string>& separators, bool paths);
// How many items LineItems gives, without keeping them.
std::size_t LineItemCount(const TextList& lines, bool many,
                          const std::vector<std::string>& separators, bool paths);

// A simulation's candidate that is a full path (with any drive) of at most
// 254 characters, by the name rules.
bool IsFullPathCandidate(const std::string& candidate, const DriveMap& drives);

// The texts of a simulation, the same on the three pages.
extern const char* const kSimulationQuestion;
extern const char* const kSimulationEnd;

}  // namespace quillory
