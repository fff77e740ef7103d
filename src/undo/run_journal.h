// A page's run record kept on disk while the run goes, so that Undo still
// works after the program was closed or killed. One journal per page, in the
// folder beside the settings file; line-based text, one record a line:
//
//   Quillory Suite undo journal<TAB>2
//   page<TAB>Vol02
//   attach<TAB>F
//   destination<TAB>D:\Dest
//   main<TAB>D:\Dest\P-a
//   main-made<TAB>DEVICE<TAB>INODE<TAB>BIRTH-S<TAB>BIRTH-NS<TAB>WITHIN<TAB>D:\Dest\P-a
//   written<TAB>DEVICE<TAB>INODE<TAB>SIZE<TAB>MTIME-S<TAB>MTIME-NS<TAB>BIRTH-S<TAB>BIRTH-NS
//          <TAB>CTIME-S<TAB>CTIME-NS<TAB>WITHIN<TAB>PATH   (one line)
//   trashed<TAB>DEVICE<TAB>INODE<TAB>BIRTH-S<TAB>BIRTH-NS<TAB>FOLDER<TAB>AIMED<TAB>TRASH<TAB>NAME
//          <TAB>ORIGIN<TAB>PATH   (one line; FOLDER is 1 or 0)
//   ...
//
// Version 1 journals (identities of device, inode, size and modification
// time only, and no WITHIN) are still read; their records keep that
// identity.
//
// Paths are escaped so that any byte of a host name survives and no name
// breaks a line: '%', control characters, DEL and bytes that are not UTF-8
// are written %XX. A last line without its line end is a record the run was
// writing when it stopped, and is left out.
#pragma once

#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/page.h"
#include "app/run_frame.h"
#include "platform/coarse_clock.h"
#include "platform/file_system.h"
#include "platform/made_folder_list.h"
#include "platform/text_list.h"
#include "structures/attach_settings.h"
#include "undo/rename_record.h"

namespace quillory {

// Where a page keeps its run record; null for what the page does not have.
// The journal reads them whole when a run begins or the record is rewritten,
// and fills them at start-up; during a run it is handed each record as the
// run's recorder keeps it.
struct JournalLists {
  std::optional<SourceKind>* attachKind = nullptr;  // attach: F, R or N
  std::string* destination = nullptr;
  TextList* mainFolders = nullptr;                         // main
  MadeFolderList* madeMainFolders = nullptr;               // main-made
  std::vector<std::string>* folders = nullptr;             // folder
  MadeFolders* madeFolders = nullptr;                      // made
  std::vector<std::string>* files = nullptr;               // file
  std::vector<WrittenFile>* writtenFiles = nullptr;        // written
  std::vector<std::string>* processedMainFolders = nullptr;  // processed
  MadeFolders* failedFolders = nullptr;                    // failed-folder
  std::vector<WrittenFile>* failedFiles = nullptr;         // failed-file
  RenameRecords* renames = nullptr;                        // renamed
  RenameRecords* failedRenames = nullptr;                  // failed-rename
  std::vector<TrashedEntry>* trashed = nullptr;        // trashed
  std::vector<TrashedEntry>* failedRestores = nullptr; // failed-restore
};

// The kinds of record a journal holds, one line each.
enum class JournalRecord : std::size_t {
  Main, MainMade, Folder, Made, File, Written, Processed, FailedFolder, FailedFile, Renamed, FailedRename,
  Trashed, FailedRestore
};

inline constexpr std::string_view kJournalVersionLine = "Quillory Suite undo journal\t2";
inline constexpr std::string_view kJournalVersion1Line = "Quillory Suite undo journal\t1";
// Beside "NAME.set" the journals live in "NAME.undo".
std::string JournalFolderFor(std::string_view settingsPath);

// What a run attached as its journal names it: F, R or N, "" for no run;
// and back, nullopt for a letter that names nothing attached.
std::string AttachKindLetter(const std::optional<SourceKind>& kind);
std::optional<SourceKind> AttachKindOf(std::string_view letter);

// Escaping of one field (see above) and its reverse; nullopt for a bad escape.
std::string EscapeJournalField(std::string_view text);
std::optional<std::string> UnescapeJournalField(std::string_view text);

struct JournalLoad {
  enum class State { None, Loaded, SetAside };
  State state = State::None;
  bool torn = false;        // the last record was cut short and left out
  std::size_t records = 0;  // whole records read after the header
  std::string keptAs;       // SetAside: where the journal is now
  std::string why;          // SetAside: what was wrong, for logs
  // SetAside because someone else owns or may write the journal or its
  // folder (their name): nothing of it was read.
  std::string untrustedOwner;
};

// The warning for a journal set aside, unreadable or not trusted.
MessageText JournalSetAsideMessage(PageKey page, const JournalLoad& load);

class RunJournal {
 public:
  RunJournal(FileSystem& fs, PageKey page, JournalLists lists);
  ~RunJournal();
  RunJournal(const RunJournal&) = delete;
  RunJournal& operator=(const RunJournal&) = delete;

  // "" keeps no journal at all (nothing read, nothing written).
  void SetFolder(std::string folder);
  bool Enabled() const { return !folder_.empty(); }
  std::string Path() const;

  // A real run starts, its record as it is now: the journal is replaced.
  void Begin();
  // One record the run kept, while a run goes: kept in memory and written
  // when half a second has passed or much has gathered (see Tick).
  void Note(JournalRecord kind, std::string_view path);
  void Note(JournalRecord kind, const MadeFolder& folder);
  // The same, the folder's path given apart from what else it keeps.
  void Note(JournalRecord kind, std::string_view path, const MadeIdentity& made);
  // A main folder's line and, when the run made it, its main-made line:
  // the path is escaped once for both.
  void NoteMain(std::string_view path, const MadeIdentity* made);
  void Note(JournalRecord kind, const WrittenFile& file);
  void Note(JournalRecord kind, RenameRecordView rename);
  void Note(JournalRecord kind, const TrashedEntry& entry);
  // Whether a run's records are being taken.
  bool Open() const { return file_ != nullptr; }
  // Writes what gathered once it is due.
  void Tick();
  // The run is over: everything written and flushed to disk.
  void End();
  // The record changed outside a run (an undo): the journal holds it anew.
  void Rewrite();
  // Start-up: the lists get the journal's record back. A journal that
  // cannot be read is renamed aside and the lists stay as they are.
  JournalLoad Load();

  // For tests: whether the last write failed, so the journal stopped.
  bool Failed() const { return failed_; }

 private:
  void Snapshot(bool keepOpen);
  void WriteAll();
  void Write();
  void Stop();
  std::string Head() const;
  // Renames the journal to the first free name with `suffix`; where it is now.
  std::string SetAside(const std::string& suffix);
  // Reads and parses the journal; `read` says whether the file could be read.
  std::string ParseInto(JournalLoad& load, FsResult* read);

  FileSystem& fs_;
  PageKey page_;
  JournalLists lists_;
  std::string folder_;
  std::unique_ptr<AppendingFile> file_;
  std::string buffer_;
  CoarseClock::time_point lastWrite_{};
  bool failed_ = false;
};

}  // namespace quillory
