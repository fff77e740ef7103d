#include "operations/attach_recorder.h"

#include <string_view>

#include "app/ui.h"
#include "results/operation_statistics.h"
#include "results/visual_logs.h"
#include "undo/run_journal.h"

namespace quillory {

namespace {

struct MissingSizeText {
  PageKey page;
  std::string_view copiedText, copiedCaption, notCopiedText, notCopiedCaption;
};

constexpr MissingSizeText kMissingSize[] = {
    {PageKey::Vol02, "The path doesn't exists : \n",
     "Creating Folder(s).-From a String List.            Warning no: 0036.", "The path doesn't exists : \n",
     "Creating Folder(s).-From a String List.            Warning no: 0037."},
    {PageKey::Vol03, "The path doesn't exists : \n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0101.", "The path doesn't exists : \n",
     "Creating Folder(s).-Increased Numbers.            Warning no: 0102."},
    {PageKey::Vol04, "The path doesn't exists : \n",
     "Creating Folder(s).-From a Folder List.            Warning no: 0072.", "The path doesn't exist : \n",
     "Creating Folder(s).-From a Folder List.            Warning no: 0073."},
    {PageKey::Vol08, "The path doesn't exists : \n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0295.",
     "The path doesn't exists : \n",
     "Copy Folder structure(s).-From a Folder List - Level.            Warning no: 0296."},
};

}  // namespace

void AttachRecords::Clear() {
  createdFolders.clear();
  copiedFiles.clear();
  processedMainFolders.clear();
  madeFolders.clear();
  copiedFileIds.clear();
}

bool RejectedLineAddsTotals(PageKey page, SourceKind kind, AttachMode mode) {
  if (page == PageKey::Vol02) return kind != SourceKind::Nothing;
  if (page == PageKey::Vol03 || page == PageKey::Vol04) return WithFiles(mode);
  return false;
}

MessageText MissingSizeMessage(PageKey page, bool copied, const std::string& source) {
  const MissingSizeText* entry = &kMissingSize[3];
  for (const MissingSizeText& m : kMissingSize)
    if (m.page == page) entry = &m;
  return copied ? MessageText{std::string(entry->copiedText) + source, std::string(entry->copiedCaption)}
                : MessageText{std::string(entry->notCopiedText) + source, std::string(entry->notCopiedCaption)};
}

AttachRecorder::AttachRecorder(PageKey page, OperationStatistics& stats, AttachRecords& records, VisualLogs* logs,
                               Ui* ui)
    : page_(page), copyPage_(page == PageKey::Vol08), stats_(stats), records_(records), logs_(logs), ui_(ui) {}

void AttachRecorder::SetRejectedTotals(bool add, std::uint32_t folders, std::uint32_t files, std::uint64_t bytes) {
  addTotals_ = add;
  totalFolders_ = folders;
  totalFiles_ = files;
  totalBytes_ = bytes;
}

StepSink AttachRecorder::Sink() {
  return [this](const AttachStep& step) { Record(step); };
}

void AttachRecorder::Count(const char* counter, double delta) { stats_.Add(counter, delta); }

void AttachRecorder::List(std::size_t list, const std::string& path) {
  if (logs_ != nullptr) logs_->AddResult(page_, list, path);
}

void AttachRecorder::Created(const AttachStep& step) {
  Count(copyPage_ ? "SubFoldersCopied" : "SubFoldersCreated");
  records_.createdFolders.push_back(step.path);
  records_.madeFolders.insert(records_.madeFolders.end(), step.made.begin(), step.made.end());
  if (journal_ != nullptr) {
    journal_->Note(JournalRecord::Folder, step.path);
    for (const MadeFolder& folder : step.made) journal_->Note(JournalRecord::Made, folder);
  }
  List(copyPage_ ? static_cast<std::size_t>(CopyList::SubFoldersCopied)
                 : static_cast<std::size_t>(CreateList::SubFoldersCreated),
       step.path);
}

std::optional<MessageText> AttachRecorder::Record(const AttachStep& step) {
  std::optional<MessageText> message;
  const auto bytes = [&](bool copied) {
    if (step.sizeKnown) return static_cast<double>(step.bytes);
    message = MissingSizeMessage(page_, copied, step.source);
    return 0.0;
  };
  switch (step.kind) {
    case StepKind::BaseCreated:
    case StepKind::SubfolderCreated:
    case StepKind::TemplateCreated:
      Created(step);
      break;
    case StepKind::BaseExists:
      // Only the copy page's main-folder modes report it.
      if (copyPage_) {
        Count("SubFoldersExists");
        List(static_cast<std::size_t>(CopyList::SubFoldersExists), step.path);
      }
      break;
    case StepKind::SubfolderExists:
      Count("SubFoldersExists");
      if (copyPage_) List(static_cast<std::size_t>(CopyList::SubFoldersExists), step.path);
      break;
    case StepKind::SubfolderFailed:
      if (copyPage_) {
        Count("SubFoldersExists");
        List(static_cast<std::size_t>(CopyList::SubFoldersExists), step.path);
      } else {
        Count("SubFoldersOther");
      }
      break;
    case StepKind::FileCopied:
      Count(copyPage_ ? "FilesCopied" : "FilesCreated");
      Count(copyPage_ ? "FileSizeCopied" : "FilesSizeCreated", bytes(true));
      records_.copiedFiles.push_back(step.path);
      if (step.file) records_.copiedFileIds.push_back(CopiedFile{step.path, *step.file, step.within});
      if (journal_ != nullptr) {
        journal_->Note(JournalRecord::File, step.path);
        if (step.file) journal_->Note(JournalRecord::Written, records_.copiedFileIds.back());
      }
      List(copyPage_ ? static_cast<std::size_t>(CopyList::FilesCopied)
                     : static_cast<std::size_t>(CreateList::FilesCreated),
           step.path);
      break;
    case StepKind::FileNotCopied:
      Count("FilesExists");
      Count(copyPage_ ? "FileSizeExists" : "FilesSizeExists", bytes(false));
      if (copyPage_) List(static_cast<std::size_t>(CopyList::FilesExists), step.path);
      break;
    case StepKind::TemplateExists:
      if (copyPage_) {
        Count("SubFoldersExists");
        List(static_cast<std::size_t>(CopyList::SubFoldersExists), step.path);
      } else {
        Created(step);  // the create pages do not test first
      }
      break;
    case StepKind::TemplateFailed:
      if (copyPage_) {
        Count("SubFoldersExists");
        Count("SubFoldersOtherReasons");
        List(static_cast<std::size_t>(CopyList::SubFoldersOtherReasons), step.path);
      } else {
        Count("FoldersExists");
        List(static_cast<std::size_t>(CreateList::FoldersExists), step.path);
      }
      break;
    case StepKind::TemplateRejected:
      if (copyPage_) {
        Count("SubFoldersOtherReasons");
        List(static_cast<std::size_t>(CopyList::SubFoldersOtherReasons), step.path);
      } else {
        Count("FoldersOther");
        List(static_cast<std::size_t>(CreateList::FoldersOther), step.path);
        if (addTotals_) {
          Count("SubFoldersOther", totalFolders_);
          Count("FilesOther", totalFiles_);
          Count("FilesSizeOther", static_cast<double>(totalBytes_));
        }
      }
      break;
  }
  if (message && ui_ != nullptr) ui_->ShowMessageBox(message->text, message->caption, MessageKind::Warning);
  Tick();
  return message;
}

void AttachRecorder::Tick() {
  // Showing every label after every step would cost as much as the copy on
  // a large run: the labels follow at most every interval, and exactly at
  // the end (Flush).
  // The clock itself is read only every few steps: per step it would be a
  // noticeable part of making an empty folder.
  pending_ = true;
  if (journal_ != nullptr) journal_->Tick();
  if (logs_ != nullptr && (interval_.count() == 0 || ++sinceClock_ >= kStepsPerClock)) {
    sinceClock_ = 0;
    const auto now = std::chrono::steady_clock::now();
    if (interval_.count() == 0 || now - lastShown_ >= interval_) {
      logs_->ShowCounters(page_);
      lastShown_ = now;
      pending_ = false;
    }
  }
}

void AttachRecorder::Flush() {
  if (logs_ != nullptr) logs_->ShowCounters(page_);
  pending_ = false;
}

}  // namespace quillory
