// The attach engine: puts existing folder structures and folder templates
// into one target folder, and measures them before a run. It never shows a
// window; every step is a value handed to a sink (the Attacher, which turns
// it into the page's outcome), and every check returns the message for the
// caller to hand on.
//
// A structure is read once per run (StructureSnapshot) before the run writes
// anything, through folder descriptors that never follow a link found
// inside. Each target then receives a copy of that snapshot, so a target
// that lies inside its own structure gets the structure as it stood and the
// copy ends. Below the target everything is made entry by entry from the
// descriptor of its parent, so a link there is never passed through, and a
// file is only ever put in place complete.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/page.h"
#include "app/run_frame.h"
#include "platform/file_system.h"
#include "platform/text_list.h"
#include "structures/attach_settings.h"
#include "tree/folder_struct_size.h"

namespace quillory {

class OperationStatistics;

// The create pages (Vol02, Vol03, Vol04) and the copy page (Vol08) differ in
// a few rules; the variant says which apply.
enum class AttachVariant { CreatePage, CopyPage };

enum class StepKind {
  BaseCreated,
  BaseExists,  // copy page, main-folder modes only
  SubfolderCreated,
  SubfolderExists,
  SubfolderFailed,
  FileCopied,
  FileNotCopied,
  TemplateCreated,
  TemplateExists,  // copy page only: the create pages do not test
  TemplateFailed,
  TemplateRejected,
};

using CopiedFile = WrittenFile;

// One counted outcome.
struct AttachStep {
  StepKind kind = StepKind::SubfolderCreated;
  std::string path;    // the target path; the template line for TemplateRejected
  std::string source;  // files: the full source path (the size map's key)
  std::uint64_t bytes = 0;
  bool sizeKnown = true;  // files: false when the size map lacks the source
  MadeFolders made;       // folders this step made, outermost first
  std::optional<FileIdentity> file;  // FileCopied
  std::uint32_t within = 0;          // FileCopied: as WrittenFile::within
  FsError error = FsError::None;     // why a step failed
  std::string detail;                // host error text, for logs
};

using StepSink = std::function<void(const AttachStep&)>;

// ---- checks ----

struct SourceCheck {
  bool refused = false;
  std::string message;
};
// The guard before each structure and each template line: empty texts,
// illegal characters, and a source that is the target itself.
SourceCheck CheckSourceNotTarget(const std::string& target, const std::string& source);

// ---- the structure copier ----

// The tree below one source folder as it stood when read: folders in
// breadth-first order (the host's order within a folder), [0] the source.
class StructureSnapshot {
 public:
  // Special: a pipe, socket or device, which is never copied.
  enum class EntryKind { Folder, File, Link, Special };
  struct Entry {
    std::string name;
    EntryKind kind = EntryKind::File;
    std::uint32_t folder = 0;  // Folder: its index
    std::uint32_t file = 0;    // File: its index among the snapshot's files
  };
  // A small file's contents, read at its first copy and written from memory
  // to every further target: a structure copied into many folders is read
  // once.
  struct Contents {
    bool read = false;     // tried
    bool cached = false;   // `data` and `stamp` hold the file
    FsResult failure;      // why reading failed (not cached, not large)
    bool large = false;    // too large to keep: copied from the disk each time
    FileStamp stamp;
    std::string data;
  };
  struct Folder {
    std::uint32_t parent = 0;
    std::uint32_t depth = 0;
    std::string name;      // "" for the source itself
    std::string relative;  // below the source, '\'-joined; "" for the source
    std::vector<Entry> entries;
    std::uint32_t subfolders = 0;  // entries that are folders
  };

  // Reads `source` (trimmed; resolved as the platform resolves a path the
  // person named) and everything below it.
  static StructureSnapshot Read(FileSystem& fs, const std::string& source);

  const std::string& Source() const { return source_; }
  bool Opened() const { return opened_; }
  const std::vector<Folder>& Folders() const { return folders_; }
  // Folders that could not be opened or read whole: they add nothing.
  const std::vector<std::string>& UnreadFolders() const { return unread_; }
  // Entries whose names hold a '\' (no program path names them): left out.
  const std::vector<std::string>& SkippedEntries() const { return skipped_; }
  // The source path of an entry of folder `index`.
  std::string PathOf(std::uint32_t index, std::string_view name) const;
  Contents& ContentsOf(const Entry& file) const { return contents_[file.file]; }
  // What may be kept in memory: files up to kCachedFileBytes, kCacheBytes in all.
  static constexpr std::size_t kCachedFileBytes = 256 * 1024;
  static constexpr std::size_t kCacheBytes = 64 * 1024 * 1024;
  std::size_t& CachedBytes() const { return cachedBytes_; }
  // Held while a file's contents are first read: workers copying into other
  // targets wait for the one reading, then share what it kept.
  std::mutex& ContentsMutex() const { return *contentsMutex_; }

 private:
  std::string source_;
  bool opened_ = false;
  std::vector<Folder> folders_;
  std::vector<std::string> unread_;
  std::vector<std::string> skipped_;
  mutable std::vector<Contents> contents_;
  mutable std::size_t cachedBytes_ = 0;
  std::unique_ptr<std::mutex> contentsMutex_ = std::make_unique<std::mutex>();
};

// "" for an entire disk (D:\): its content lands directly in the target.
std::string LastComponent(const std::string& source);
// Where one structure lands: target\last component in the main-folder
// modes, the target itself otherwise; no trailing separator.
std::string StructureBase(const std::string& target, const std::string& source, AttachMode mode);

struct CopyRequest {
  const StructureSnapshot* structure = nullptr;
  std::string target;
  AttachMode mode = AttachMode::MainWithoutFiles;
  AttachVariant variant = AttachVariant::CreatePage;
  bool overwriteFiles = false;  // page Vol03 only
  // The copy page's file selection, in order; the create pages copy all.
  std::vector<std::string> masks{"*.*"};
  const FolderStructSize::FileSizes* sizeMap = nullptr;
};

// Copies one structure into one target, streaming every step to `sink`.
void CopyExistingStructure(FileSystem& fs, const CopyRequest& request, const StepSink& sink);

// ---- the template applier ----

// The relative path a line becomes for the target under the template kind;
// "" when nothing is left.
std::string TemplateRelativePath(const std::string& target, const std::string& line, const TemplateKind& kind);

// Page Vol03's numbered templates: every name of the relative path (after
// a drive part is dropped) followed by `suffix`, so "\Docs\Old" and "07"
// give "\Docs07\Old07".
std::string WithNumberSuffix(const std::string& relative, const std::string& suffix);

// The folder one template line makes in the target, `numberSuffix` (when not
// empty) added to each of its names; nullopt when the line leaves nothing,
// names a drive or holds a "." or ".." name.
std::optional<std::string> TemplateTargetPath(const std::string& target, const std::string& line,
                                              const TemplateKind& kind, const std::string& numberSuffix = {});

// Applies one template line to one target; the step is returned and, when
// a sink is given, handed to it.
AttachStep ApplyTemplateLine(FileSystem& fs, const std::string& target, const std::string& line,
                             const TemplateKind& kind, AttachVariant variant, const StepSink& sink = {},
                             const std::string& numberSuffix = {});

// The steps a copy of the structure would bring, touching nothing: every
// folder made, and in the modes with files every file copied (sizes from the
// size map), in the order the copy of the request's variant goes. With `fs`
// what is there already counts as existing; without, the target is taken
// to be new (the create pages' folders are).
void SimulateExistingStructure(const CopyRequest& request, const StepSink& sink, FileSystem* fs = nullptr);

// ---- before a run ----

struct StructureInput {
  SourceKind kind = SourceKind::Structures;
  std::vector<std::string> items;  // the structures/templates list
  AttachMode mode = AttachMode::MainWithoutFiles;
  std::vector<std::string> masks{"*.*"};  // the file selection
  bool withFiles = false;
  bool operator==(const StructureInput&) const = default;
};

struct StructureTotals {
  std::uint32_t folders = 0;
  std::uint32_t files = 0;
  std::uint64_t bytes = 0;
  FolderStructSize::FileSizes sizeMap;
  std::vector<std::string> unreadFolders;
};

StructureTotals ComputeStructureTotals(FileSystem& fs, const StructureInput& input);

// The totals of the last input, walked again only when the input changed
// (or when a run asks for Fresh).
class StructureTotalsCache {
 public:
  const StructureTotals& Get(FileSystem& fs, const StructureInput& input);
  // Walks again whatever the input; before a run, so the run sees the disk
  // as it is.
  const StructureTotals& Fresh(FileSystem& fs, const StructureInput& input);
  void Invalidate() { valid_ = false; }

 private:
  bool valid_ = false;
  StructureInput input_;
  StructureTotals totals_;
};

struct FreeSpaceResult {
  bool ok = false;
  std::optional<MessageText> message;  // information, OK button
  // The "To create:" / "To Copy" row: D main folders, D copies of the totals.
  double mainFolders = 0, folders = 0, files = 0, bytes = 0;
};

// The space check of a page: `destinations` are the folders that will each
// receive one copy of the totals (the copy page's include list).
FreeSpaceResult CheckFreeSpace(FileSystem& fs, PageKey page, const StructureTotals& totals,
                               const TextList& destinations);
// Writes the row into the page's counters ("...ToCreate" or "...ToCopy").
void SetForecastRow(OperationStatistics& stats, PageKey page, const FreeSpaceResult& result);

}  // namespace quillory
