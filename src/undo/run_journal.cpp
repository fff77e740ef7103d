#include "undo/run_journal.h"

#include <time.h>

#include <charconv>
#include <cstring>
#include <type_traits>

#include "platform/byte_scan.h"
#include "platform/text.h"

namespace quillory {

namespace {

// Record kinds, in the order of RunJournal's channels.
constexpr std::string_view kKinds[] = {"main",      "main-made",     "folder",      "made",
                                       "file",      "written",       "processed",   "failed-folder",
                                       "failed-file", "renamed",     "failed-rename",
                                       "trashed",     "failed-restore"};
enum Channel : std::size_t {
  kMain, kMainMade, kFolder, kMade, kFile, kWritten, kProcessed, kFailedFolder, kFailedFile, kRenamed,
  kFailedRename, kTrashed, kFailedRestore, kChannels
};
static_assert(static_cast<std::size_t>(JournalRecord::FailedRename) == kFailedRename &&
              static_cast<std::size_t>(JournalRecord::Written) == kWritten &&
              static_cast<std::size_t>(JournalRecord::FailedRestore) == kFailedRestore &&
              std::size(kKinds) == kChannels);

// What gathers in memory goes out before the half second is over once it
// fills a few pages: one write per some hundred folders costs next to
// nothing, and a killed run loses at most those.
constexpr std::size_t kBufferLimit = 32 << 10;
constexpr auto kWriteInterval = std::chrono::milliseconds(500);

const char kHex[] = "0123456789ABCDEF";
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

void AppendEscaped(std::string& out, std::string_view text) {
  using namespace byte_scan;
  const auto special = [](std::uint64_t w) { return Below(w, 0x20) | High(w) | Equal(w, 0x7F) | Equal(w, '%'); };
  std::size_t i = 0;
  while (i < text.size()) {
    // Plain runs go in whole: most names are nothing else.
    std::size_t plain = Find(text, i, special);
    if (plain == std::string_view::npos) plain = text.size();
    if (plain != i) {
      out.append(text.data() + i, plain - i);
      i = plain;
      if (i == text.size()) break;
    }
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      const std::size_t length = Utf8CharLength(text, i);
      if (length > 1 && IsValidUtf8(text.substr(i, length))) {
        out.append(text.substr(i, length));
        i += length;
        continue;
      }
    }
    out += '%';
    out += kHex[c >> 4];
    out += kHex[c & 15];
    ++i;
  }
}

// The fields before a line's texts, gathered on the stack and appended in
// one go: an append per field cost more than the folder's own record.
class LineHead {
 public:
  explicit LineHead(Channel channel) {
    const std::string_view kind = kKinds[channel];
    std::memcpy(end_, kind.data(), kind.size());
    end_ += kind.size();
    *end_++ = '\t';
  }
  template <class N>
  LineHead& Number(N n) {
    if constexpr (std::is_signed_v<N>) {
      if (n < 0) {
        *end_++ = '-';
        return Digits(0 - static_cast<std::uint64_t>(n));
      }
    }
    return Digits(static_cast<std::uint64_t>(n));
  }
  // Device, inode and birth time, as folders and trashed entries write them.
  LineHead& Identity(const FolderIdentity& identity) {
    return Number(identity.device).Number(identity.inode).Number(identity.birthSeconds).Number(identity.birthNanoseconds);
  }
  // A made folder: its identity and its "within" (see MadeFolder).
  LineHead& Made(const MadeIdentity& made) { return Identity(made.identity).Number(made.within); }
  void To(std::string& out) const { out.append(bytes_, static_cast<std::size_t>(end_ - bytes_)); }

 private:
  // Written in place from the right, two digits a division.
  LineHead& Digits(std::uint64_t n) {
    // The count from the highest bit, mended by one comparison.
    static constexpr std::uint64_t kPowers[] = {1ULL,
                                                10ULL,
                                                100ULL,
                                                1000ULL,
                                                10000ULL,
                                                100000ULL,
                                                1000000ULL,
                                                10000000ULL,
                                                100000000ULL,
                                                1000000000ULL,
                                                10000000000ULL,
                                                100000000000ULL,
                                                1000000000000ULL,
                                                10000000000000ULL,
                                                100000000000000ULL,
                                                1000000000000000ULL,
                                                10000000000000000ULL,
                                                100000000000000000ULL,
                                                1000000000000000000ULL,
                                                10000000000000000000ULL};
    const unsigned bits = 64 - static_cast<unsigned>(__builtin_clzll(n | 1));
    unsigned count = (bits * 1233) >> 12;
    count += (n | 1) >= kPowers[count];  // a 0 has one digit too
    char* at = end_ + count;
    end_ = at;
    for (; n >= 100; n /= 100) {
      at -= 2;
      std::memcpy(at, kDigitPairs + 2 * (n % 100), 2);
    }
    if (n >= 10) {
      at -= 2;
      std::memcpy(at, kDigitPairs + 2 * n, 2);
    } else {
      *--at = static_cast<char>('0' + n);
    }
    *end_++ = '\t';
    return *this;
  }

  // The longest kind and eleven 64-bit numbers, each with its tab.
  char bytes_[24 + 11 * 22];
  char* end_ = bytes_;
};

void Put(std::string& out, Channel channel, std::string_view path) {
  LineHead(channel).To(out);
  AppendEscaped(out, path);
  out += '\n';
}

void Put(std::string& out, Channel channel, std::string_view path, const MadeIdentity& made) {
  LineHead(channel).Made(made).To(out);
  AppendEscaped(out, path);
  out += '\n';
}

void Put(std::string& out, Channel channel, const MadeFolder& folder) {
  Put(out, channel, folder.path, MadeIdentity{folder.identity, folder.within});
}

void Put(std::string& out, Channel channel, const WrittenFile& file) {
  const FileIdentity& id = file.identity;
  LineHead(channel)
      .Number(id.device)
      .Number(id.inode)
      .Number(id.size)
      .Number(id.mtimeSeconds)
      .Number(id.mtimeNanoseconds)
      .Number(id.birthSeconds)
      .Number(id.birthNanoseconds)
      .Number(id.ctimeSeconds)
      .Number(id.ctimeNanoseconds)
      .Number(file.within)
      .To(out);
  AppendEscaped(out, file.path);
  out += '\n';
}

void Put(std::string& out, Channel channel, RenameRecordView rename) {
  LineHead(channel).To(out);
  AppendEscaped(out, rename.OldPath);
  out += '\t';
  AppendEscaped(out, rename.NewPath);
  out += '\n';
}

void Put(std::string& out, Channel channel, const TrashedEntry& entry) {
  LineHead(channel).Identity(entry.identity).Number(entry.folder ? 1 : 0).Number(entry.aimed).To(out);
  for (const std::string* text : {&entry.trash, &entry.name, &entry.origin}) {
    AppendEscaped(out, *text);
    out += '\t';
  }
  AppendEscaped(out, entry.path);
  out += '\n';
}

// Every record of a list, in order: vectors and the lists that keep their
// paths in arenas all hand out their records by index.
template <class List>
void PutAll(std::string& out, Channel channel, const List* list) {
  if (list == nullptr) return;
  for (std::size_t i = 0; i < list->size(); ++i) Put(out, channel, (*list)[i]);
}

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const std::size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

template <class N>
bool ParseNumber(std::string_view text, N* n) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), *n);
  return error == std::errc() && end == text.data() + text.size();
}

// A journal's record before it is given to the page: nothing changes
// unless the whole journal could be read.
struct Parsed {
  std::optional<std::string> attachKind, destination;
  // Compact as the records keep them: a journal of a million folders is
  // read back at start.
  TextList strings[kChannels];
  MadeFolderList made[kChannels];
  std::vector<WrittenFile> written[kChannels];
  std::vector<std::pair<std::string, std::string>> pairs[kChannels];
  std::vector<TrashedEntry> trashed[kChannels];
};

template <class T>
void Give(std::vector<T>* list, std::vector<T>& from) {
  if (list != nullptr) *list = std::move(from);
}

void Give(TextList* list, TextList& from) {
  if (list != nullptr) *list = std::move(from);
}

void Give(std::vector<std::string>* list, const TextList& from) {
  if (list != nullptr) *list = from.Strings();
}

void Give(MadeFolderList* list, MadeFolderList& from) {
  if (list != nullptr) *list = std::move(from);
}

void Give(MadeFolders* list, MadeFolderList& from) {
  if (list != nullptr) *list = from.Take();
}

}  // namespace

std::string AttachKindLetter(const std::optional<SourceKind>& kind) {
  if (!kind) return {};
  switch (*kind) {
    case SourceKind::Structures: return "F";
    case SourceKind::Templates: return "R";
    case SourceKind::Nothing: break;
  }
  return "N";
}

std::optional<SourceKind> AttachKindOf(std::string_view letter) {
  if (letter == "F") return SourceKind::Structures;
  if (letter == "R") return SourceKind::Templates;
  if (letter == "N") return SourceKind::Nothing;
  return std::nullopt;
}

std::string JournalFolderFor(std::string_view settingsPath) {
  std::string folder(settingsPath);
  const std::size_t slash = folder.find_last_of("/\\");
  const std::size_t dot = folder.rfind('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) folder.resize(dot);
  return folder + ".undo";
}

std::string EscapeJournalField(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}

std::optional<std::string> UnescapeJournalField(std::string_view text) {
  const auto hex = [](char h) -> int {
    if (h >= '0' && h <= '9') return h - '0';
    if (h >= 'A' && h <= 'F') return h - 'A' + 10;
    return -1;
  };
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c == 0x7F) return std::nullopt;  // never written bare
    if (c != '%') {
      out += static_cast<char>(c);
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int hi = hex(text[i + 1]), lo = hex(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

namespace {

const char* PageTitle(PageKey page) {
  const char* title = "Creating Folder(s).-From a String List.";
  switch (page) {
    case PageKey::Vol03: title = "Creating Folder(s).-Increased Numbers."; break;
    case PageKey::Vol04: title = "Creating Folder(s).- From a Folder List."; break;
    case PageKey::Vol06: title = "Rename Folder(s).-From a Folder List."; break;
    case PageKey::Vol07: title = "Delete Folder(s).-From a Folder List."; break;
    case PageKey::Vol08: title = "Copy Folder Structure(s).-From a Folder List - Level."; break;
    default: break;
  }
  return title;
}

}  // namespace

MessageText JournalSetAsideMessage(PageKey page, const JournalLoad& load) {
  if (load.untrustedOwner.empty())
    return {"The UNDO record of the last run cannot be read !!!\nIt is kept as :\n" + load.keptAs +
                "\n\nThe last run of this page cannot be undone.",
            std::string(PageTitle(page)) + "            Warning no: 0620."};
  return {"The UNDO record of the last run is not trusted !!!\nIt, or the folder holding it, belongs to the user "
          "\"" + load.untrustedOwner + "\" or can be changed by other users.\nIt is kept as :\n" + load.keptAs +
              "\n\nNothing was read from it: the last run of this page cannot be undone.",
          std::string(PageTitle(page)) + "            Warning no: 0621."};
}

RunJournal::RunJournal(FileSystem& fs, PageKey page, JournalLists lists)
    : fs_(fs), page_(page), lists_(std::move(lists)) {}

RunJournal::~RunJournal() { End(); }

void RunJournal::SetFolder(std::string folder) {
  End();
  folder_ = std::move(folder);
}

std::string RunJournal::Path() const {
  if (folder_.empty()) return {};
  const char separator = folder_.starts_with('/') || folder_.starts_with("./") ? '/' : '\\';
  return folder_ + separator + std::string(PageOf(page_).name) + ".journal";
}

std::string RunJournal::Head() const {
  std::string head(kJournalVersionLine);
  head += "\npage\t";
  head += PageOf(page_).name;
  head += '\n';
  if (lists_.attachKind != nullptr && lists_.attachKind->has_value()) {
    head += "attach\t";
    head += AttachKindLetter(*lists_.attachKind);
    head += '\n';
  }
  if (lists_.destination != nullptr && !lists_.destination->empty()) {
    head += "destination\t";
    AppendEscaped(head, *lists_.destination);
    head += '\n';
  }
  return head;
}

void RunJournal::WriteAll() {
  PutAll(buffer_, kMain, lists_.mainFolders);
  PutAll(buffer_, kMainMade, lists_.madeMainFolders);
  PutAll(buffer_, kFolder, lists_.folders);
  PutAll(buffer_, kMade, lists_.madeFolders);
  PutAll(buffer_, kFile, lists_.files);
  PutAll(buffer_, kWritten, lists_.writtenFiles);
  PutAll(buffer_, kProcessed, lists_.processedMainFolders);
  PutAll(buffer_, kFailedFolder, lists_.failedFolders);
  PutAll(buffer_, kFailedFile, lists_.failedFiles);
  PutAll(buffer_, kRenamed, lists_.renames);
  PutAll(buffer_, kFailedRename, lists_.failedRenames);
  PutAll(buffer_, kTrashed, lists_.trashed);
  PutAll(buffer_, kFailedRestore, lists_.failedRestores);
}

void RunJournal::Note(JournalRecord kind, std::string_view path) {
  if (file_) Put(buffer_, static_cast<Channel>(kind), path);
}

void RunJournal::Note(JournalRecord kind, const MadeFolder& folder) {
  if (file_) Put(buffer_, static_cast<Channel>(kind), folder);
}

void RunJournal::Note(JournalRecord kind, std::string_view path, const MadeIdentity& made) {
  if (file_) Put(buffer_, static_cast<Channel>(kind), path, made);
}

void RunJournal::NoteMain(std::string_view path, const MadeIdentity* made) {
  if (!file_) return;
  LineHead(kMain).To(buffer_);
  const std::size_t at = buffer_.size();
  AppendEscaped(buffer_, path);
  const std::size_t size = buffer_.size() - at;
  buffer_ += '\n';
  if (made == nullptr) return;
  LineHead(kMainMade).Made(*made).To(buffer_);
  buffer_.append(buffer_, at, size);
  buffer_ += '\n';
}

void RunJournal::Note(JournalRecord kind, const WrittenFile& file) {
  if (file_) Put(buffer_, static_cast<Channel>(kind), file);
}

void RunJournal::Note(JournalRecord kind, RenameRecordView rename) {
  if (file_) Put(buffer_, static_cast<Channel>(kind), rename);
}

void RunJournal::Note(JournalRecord kind, const TrashedEntry& entry) {
  if (file_) Put(buffer_, static_cast<Channel>(kind), entry);
}

void RunJournal::Snapshot(bool keepOpen) {
  file_.reset();
  if (!Enabled()) return;
  failed_ = false;
  buffer_ = Head();
  WriteAll();
  FsResult why;
  file_ = fs_.StartAppending(Path(), buffer_, &why);
  buffer_.clear();
  if (!file_) {
    failed_ = true;
    // The journal on disk is an older run's: read at the next start it
    // would undo that run instead of this one.
    SetAside(".stale");
  }
  if (!keepOpen) file_.reset();
  lastWrite_ = CoarseClock::now();
}

void RunJournal::Begin() { Snapshot(true); }

void RunJournal::Rewrite() { Snapshot(false); }

void RunJournal::Tick() {
  if (!file_ || buffer_.empty()) return;
  if (buffer_.size() >= kBufferLimit) {
    Write();
    return;
  }
  if (CoarseClock::now() - lastWrite_ >= kWriteInterval) Write();
}

void RunJournal::Write() {
  if (file_ && !buffer_.empty()) {
    if (!file_->Append(buffer_).ok()) {
      // The run goes on; what is in memory still undoes it.
      failed_ = true;
      file_.reset();
    }
  }
  buffer_.clear();
  lastWrite_ = CoarseClock::now();
}

void RunJournal::End() {
  if (!file_) return;
  Write();
  if (file_ && !file_->Sync().ok()) failed_ = true;
  file_.reset();
}

// The journal is read in pieces as the file hands them over and parsed a
// line at a time: it is never held whole, which after a run of a million
// folders would be a hundred megabytes at start.
std::string RunJournal::ParseInto(JournalLoad& load, FsResult* read) {
  Parsed parsed;
  bool first = true, pageSeen = false, version1 = false;
  std::size_t lineNumber = 0;
  const auto parseLine = [&](std::string_view line) -> std::string {
    ++lineNumber;
    const std::string where = "line " + std::to_string(lineNumber) + ": ";
    if (first) {
      version1 = line == kJournalVersion1Line;
      if (line != kJournalVersionLine && !version1) return where + "not an undo journal of this version";
      first = false;
      return {};
    }
    const std::vector<std::string_view> f = Fields(line);
    // Everything but the kind and the numbers is escaped text.
    const auto field = [&](std::size_t i) -> std::optional<std::string> { return UnescapeJournalField(f[i]); };
    if (f[0] == "page") {
      if (f.size() != 2 || f[1] != PageOf(page_).name) return where + "another page's journal";
      pageSeen = true;
      return {};
    }
    if (!pageSeen) return where + "no page named";
    if (f[0] == "attach" || f[0] == "destination") {
      if (f.size() != 2) return where + "bad " + std::string(f[0]);
      auto value = field(1);
      if (!value) return where + "bad escape";
      (f[0] == "attach" ? parsed.attachKind : parsed.destination) = std::move(*value);
      return {};
    }
    std::size_t kind = 0;
    while (kind < kChannels && kKinds[kind] != f[0]) ++kind;
    if (kind == kChannels) return where + "unknown record " + std::string(f[0]);
    switch (kind) {
      case kMain: case kFolder: case kFile: case kProcessed: {
        if (f.size() != 2) return where + "bad record";
        auto path = field(1);
        if (!path) return where + "bad escape";
        parsed.strings[kind].push_back(*path);
        break;
      }
      case kMainMade: case kMade: case kFailedFolder: {
        MadeFolder folder;
        FolderIdentity& id = folder.identity;
        const std::size_t fields = version1 ? 4 : 7;
        if (f.size() != fields || !ParseNumber(f[1], &id.device) || !ParseNumber(f[2], &id.inode) ||
            (!version1 && (!ParseNumber(f[3], &id.birthSeconds) || !ParseNumber(f[4], &id.birthNanoseconds) ||
                           !ParseNumber(f[5], &folder.within))))
          return where + "bad record";
        auto path = field(fields - 1);
        if (!path) return where + "bad escape";
        folder.path = std::move(*path);
        parsed.made[kind].push_back(folder);
        break;
      }
      case kWritten: case kFailedFile: {
        WrittenFile file;
        FileIdentity& id = file.identity;
        const std::size_t fields = version1 ? 7 : 12;
        if (f.size() != fields || !ParseNumber(f[1], &id.device) || !ParseNumber(f[2], &id.inode) ||
            !ParseNumber(f[3], &id.size) || !ParseNumber(f[4], &id.mtimeSeconds) ||
            !ParseNumber(f[5], &id.mtimeNanoseconds) ||
            (!version1 && (!ParseNumber(f[6], &id.birthSeconds) || !ParseNumber(f[7], &id.birthNanoseconds) ||
                           !ParseNumber(f[8], &id.ctimeSeconds) || !ParseNumber(f[9], &id.ctimeNanoseconds) ||
                           !ParseNumber(f[10], &file.within))))
          return where + "bad record";
        auto path = field(fields - 1);
        if (!path) return where + "bad escape";
        file.path = std::move(*path);
        parsed.written[kind].push_back(std::move(file));
        break;
      }
      case kTrashed: case kFailedRestore: {
        TrashedEntry entry;
        FolderIdentity& id = entry.identity;
        int folder = 0;
        if (version1 || f.size() != 11 || !ParseNumber(f[1], &id.device) || !ParseNumber(f[2], &id.inode) ||
            !ParseNumber(f[3], &id.birthSeconds) || !ParseNumber(f[4], &id.birthNanoseconds) ||
            !ParseNumber(f[5], &folder) || folder > 1 || !ParseNumber(f[6], &entry.aimed))
          return where + "bad record";
        auto trash = field(7), name = field(8), origin = field(9), path = field(10);
        if (!trash || !name || !origin || !path) return where + "bad escape";
        entry.folder = folder == 1;
        entry.trash = std::move(*trash);
        entry.name = std::move(*name);
        entry.origin = std::move(*origin);
        entry.path = std::move(*path);
        parsed.trashed[kind].push_back(std::move(entry));
        break;
      }
      default: {
        if (f.size() != 3) return where + "bad record";
        auto oldPath = field(1), newPath = field(2);
        if (!oldPath || !newPath) return where + "bad escape";
        parsed.pairs[kind].emplace_back(std::move(*oldPath), std::move(*newPath));
        break;
      }
    }
    ++load.records;
    return {};
  };
  std::string why, carry;
  *read = fs_.ReadOwnFile(Path(), [&](std::string_view piece) {
    while (why.empty() && !piece.empty()) {
      const std::size_t nl = piece.find('\n');
      if (nl == std::string_view::npos) {
        carry.append(piece);
        return;
      }
      std::string_view line = piece.substr(0, nl);
      if (!carry.empty()) line = carry.append(line);
      why = parseLine(line);
      carry.clear();
      piece.remove_prefix(nl + 1);
    }
  });
  if (!read->ok() || !why.empty()) return why;
  if (lineNumber == 0) return "no whole line";
  load.torn = !carry.empty();
  if (!pageSeen) return "no page named";

  if (lists_.attachKind != nullptr) *lists_.attachKind = AttachKindOf(parsed.attachKind.value_or(""));
  if (lists_.destination != nullptr) *lists_.destination = parsed.destination.value_or("");
  Give(lists_.mainFolders, parsed.strings[kMain]);
  Give(lists_.madeMainFolders, parsed.made[kMainMade]);
  Give(lists_.folders, parsed.strings[kFolder]);
  Give(lists_.madeFolders, parsed.made[kMade]);
  Give(lists_.files, parsed.strings[kFile]);
  Give(lists_.writtenFiles, parsed.written[kWritten]);
  Give(lists_.processedMainFolders, parsed.strings[kProcessed]);
  Give(lists_.failedFolders, parsed.made[kFailedFolder]);
  Give(lists_.failedFiles, parsed.written[kFailedFile]);
  Give(lists_.trashed, parsed.trashed[kTrashed]);
  Give(lists_.failedRestores, parsed.trashed[kFailedRestore]);
  for (auto [pairs, channel] : {std::pair{&lists_.renames, kRenamed}, std::pair{&lists_.failedRenames, kFailedRename}}) {
    if (*pairs == nullptr) continue;
    (*pairs)->clear();
    (*pairs)->reserve(parsed.pairs[channel].size());
    for (const auto& [oldPath, newPath] : parsed.pairs[channel]) (*pairs)->push_back({oldPath, newPath});
  }
  return {};
}

JournalLoad RunJournal::Load() {
  JournalLoad load;
  if (!Enabled()) return load;
  End();
  std::string owner;
  const FsResult trust = fs_.TrustOwnFile(Path(), &owner);
  if (trust.error == FsError::NotFound) return load;
  if (!trust.ok()) {
    // A journal another user could have written names folders and files
    // that Undo would delete: none of it is taken.
    load.state = JournalLoad::State::SetAside;
    load.why = trust.message;
    load.untrustedOwner = owner.empty() ? "?" : owner;
    load.keptAs = SetAside(".untrusted");
    return load;
  }
  FsResult read;
  std::string why = ParseInto(load, &read);
  if (read.error == FsError::NotFound) return load;
  if (!read.ok()) why = "cannot be read: " + read.message;
  if (why.empty()) {
    load.state = JournalLoad::State::Loaded;
    return load;
  }
  load = JournalLoad{};
  load.state = JournalLoad::State::SetAside;
  load.why = std::move(why);
  load.keptAs = SetAside(".unreadable");
  return load;
}

std::string RunJournal::SetAside(const std::string& suffix) {
  // A name nobody uses yet: no journal is ever replaced by another.
  for (int n = 1; n <= 100; ++n) {
    std::string aside = Path();
    aside += suffix;
    if (n > 1) {
      aside += '-';
      aside += std::to_string(n);
    }
    const FsResult renamed = fs_.RenameOwnFile(Path(), aside);
    if (renamed.ok()) return aside;
    if (renamed.error != FsError::Exists) break;
  }
  return Path();
}

}  // namespace quillory
