#include "operations/attach_engine.h"

#include "platform/text.h"
#include "results/operation_statistics.h"
#include "tree/examine_sub_folders.h"

namespace quillory {

namespace {

struct FreeSpaceCaption {
  PageKey page;
  std::string_view caption;
};

constexpr std::string_view kNotEnoughSpace = "There is not enough space on the disk.\nThe free space on the disk ";
constexpr FreeSpaceCaption kFreeSpaceCaptions[] = {
    {PageKey::Vol02, "Creating Folder(s).-From a String List.            Information no: 0035."},
    {PageKey::Vol03, "Creating Folder(s).-Increased Numbers.            Information no: 0100."},
    {PageKey::Vol04, "Creating Folder(s).-From a Folder List.            Information no: 0071."},
    {PageKey::Vol08, "Creating Folder(s).-From a Folder List.            Information no: 0177."},
};

std::string_view FreeSpaceCaptionOf(PageKey page) {
  for (const FreeSpaceCaption& c : kFreeSpaceCaptions)
    if (c.page == page) return c.caption;
  return kFreeSpaceCaptions[3].caption;
}

// `count` copies of the totals, the check passed.
FreeSpaceResult RowOf(std::size_t count, const StructureTotals& totals) {
  FreeSpaceResult result;
  result.ok = true;
  const double d = static_cast<double>(count);
  result.mainFolders = d;
  result.folders = d * totals.folders;
  result.files = d * totals.files;
  result.bytes = d * static_cast<double>(totals.bytes);
  return result;
}

}  // namespace

StructureTotals ComputeStructureTotals(FileSystem& fs, const StructureInput& input) {
  StructureTotals totals;
  for (const std::string& item : input.items) {
    const std::string root = Trim(item);
    if (root.empty()) continue;
    // A structure that is not there is passed over by the run: it adds nothing.
    if (input.kind == SourceKind::Structures && !fs.DirectoryExists(root)) continue;
    FolderStructSize size(root, fs);
    size.SetCountRoot(input.kind == SourceKind::Templates || MainFolderMode(input.mode));
    size.SetFileMasks(input.masks);
    size.WalkSelected();
    totals.folders += static_cast<std::uint32_t>(size.GetFolderCount());
    if (input.kind == SourceKind::Templates) continue;  // a line names no folder on disk
    for (const auto& [path, bytes] : size.GetSelectedFileSizes()) totals.sizeMap.emplace(path, bytes);
    if (input.withFiles) {
      totals.bytes += size.GetSelectedBytes();
      totals.files += size.GetSelectedFiles();
    }
    totals.unreadFolders.insert(totals.unreadFolders.end(), size.UnreadFolders().begin(), size.UnreadFolders().end());
  }
  return totals;
}

const StructureTotals& StructureTotalsCache::Get(FileSystem& fs, const StructureInput& input) {
  if (valid_ && input == input_) return totals_;
  return Fresh(fs, input);
}

const StructureTotals& StructureTotalsCache::Fresh(FileSystem& fs, const StructureInput& input) {
  totals_ = ComputeStructureTotals(fs, input);
  input_ = input;
  valid_ = true;
  return totals_;
}

FreeSpaceResult CheckFreeSpace(FileSystem& fs, PageKey page, const StructureTotals& totals,
                               const TextList& destinations) {
  FreeSpaceResult result;
  ExamineSubFolders top(destinations);
  top.ReadTopLevelOnly();
  const std::size_t count = top.GetFolders().size();
  if (count == 0) return result;

  // Nothing to write needs no space: the drives are not asked, and a list
  // changed item by item is not sorted a second time.
  if (totals.bytes == 0) return RowOf(count, totals);
  ExamineSubFolders all(destinations);
  all.ReadSortedUnique();
  // Drive key, compared case-blind -> (the key as first met, the bytes needed).
  std::map<std::string, std::pair<std::string, std::uint64_t>> needs;
  for (const std::string& folder : all.GetFolders()) {
    const std::size_t colon = folder.find(':');
    if (colon == std::string::npos) continue;  // no drive: it will count as missing
    const std::string key = Trim(folder.substr(0, colon + 1));
    auto& need = needs.try_emplace(CaseFold(key), key, 0).first->second;
    need.second += totals.bytes;
  }
  for (const auto& [folded, need] : needs) {
    const std::string drive = need.first.substr(0, 1) + ":\\";
    // A drive that is not there has no space to check; its folders count as
    // missing when the run comes to them.
    const std::optional<std::uint64_t> free = fs.FreeSpace(drive);
    if (!free || need.second <= *free) continue;
    result.message = MessageText{std::string(kNotEnoughSpace) + drive + " is : " + FormatByteSize(*free) + "    " +
                                     std::to_string(*free) + " bytes\n" + "The program requires : " +
                                     FormatByteSize(need.second) + "    " + std::to_string(need.second) + " bytes.",
                                 std::string(FreeSpaceCaptionOf(page))};
    return result;
  }
  return RowOf(count, totals);
}

void SetForecastRow(OperationStatistics& stats, PageKey page, const FreeSpaceResult& result) {
  const bool copy = page == PageKey::Vol08;
  stats.Set(copy ? "FoldersToCopy" : "FoldersToCreate", result.mainFolders);
  stats.Set(copy ? "SubFoldersToCopy" : "SubFoldersToCreate", result.folders);
  stats.Set(copy ? "FilesToCopy" : "FilesToCreate", result.files);
  stats.Set(copy ? "FileSizeToCopy" : "FilesSizeToCreate", result.bytes);
}

}  // namespace quillory
