#include "operations/attach_outcomes.h"

#include <string_view>

#include "results/operation_statistics.h"
#include "results/visual_logs.h"

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

template <class List>
ItemOutcome Outcome(const AttachStep& step, OutcomeKind kind, List list) {
  ItemOutcome out;
  out.kind = kind;
  out.path = step.path;
  out.list = static_cast<std::size_t>(list);
  out.detail = step.detail;
  return out;
}

ItemOutcome Unlisted(const AttachStep& step, OutcomeKind kind) {
  ItemOutcome out;
  out.kind = kind;
  out.path = step.path;
  out.detail = step.detail;
  return out;
}

// A folder made: it is recorded, and what it made is undone.
ItemOutcome Made(const AttachStep& step, std::size_t list) {
  ItemOutcome out = Outcome(step, OutcomeKind::Done, list);
  out.record = RecordSlot::Folder;
  out.made = step.made;
  return out;
}

// A file's bytes: as measured before the run, or none and the page's
// warning when the measure lacks it.
double Bytes(const AttachStep& step, PageKey page, bool copied, ItemOutcome& out) {
  if (step.sizeKnown) return static_cast<double>(step.bytes);
  out.message = MissingSizeMessage(page, copied, step.source);
  return 0;
}

void Written(const AttachStep& step, ItemOutcome& out) {
  out.record = RecordSlot::File;
  if (step.file) out.written = WrittenFile{step.path, *step.file, step.within};
}

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

ItemMessage MissingSizeMessage(PageKey page, bool copied, const std::string& source) {
  const MissingSizeText* entry = &kMissingSize[3];
  for (const MissingSizeText& m : kMissingSize)
    if (m.page == page) entry = &m;
  ItemMessage message;
  message.text = std::string(copied ? entry->copiedText : entry->notCopiedText);
  message.text += source;
  message.caption = std::string(copied ? entry->copiedCaption : entry->notCopiedCaption);
  message.kind = ItemMessage::Kind::Warning;
  return message;
}

ItemOutcome CreatePageStepOutcome(const AttachStep& step, const CreateStepRules& rules) {
  using C = CreateCounter;
  ItemOutcome out;
  switch (step.kind) {
    case StepKind::BaseCreated:
    case StepKind::SubfolderCreated:
    case StepKind::TemplateCreated:
    case StepKind::TemplateExists:  // the create pages do not test first
      out = Made(step, static_cast<std::size_t>(CreateList::SubFoldersCreated));
      out.Count(Id(C::SubFoldersCreated));
      break;
    case StepKind::BaseExists:
      // Only the copy page reports it.
      out = Unlisted(step, OutcomeKind::AlreadyExists);
      break;
    case StepKind::SubfolderExists:
      out = Unlisted(step, OutcomeKind::AlreadyExists);
      out.Count(Id(C::SubFoldersExists));
      break;
    case StepKind::SubfolderFailed:
      out = Unlisted(step, OutcomeKind::Other);
      out.Count(Id(C::SubFoldersOther));
      break;
    case StepKind::FileCopied:
      out = Outcome(step, OutcomeKind::Done, CreateList::FilesCreated);
      out.Count(Id(C::FilesCreated));
      out.Count(Id(C::FilesSizeCreated), Bytes(step, rules.page, true, out));
      Written(step, out);
      break;
    case StepKind::FileNotCopied:
      out = Unlisted(step, OutcomeKind::AlreadyExists);
      out.Count(Id(C::FilesExists));
      out.Count(Id(C::FilesSizeExists), Bytes(step, rules.page, false, out));
      break;
    case StepKind::TemplateFailed:
      out = Outcome(step, OutcomeKind::AlreadyExists, CreateList::FoldersExists);
      out.Count(Id(C::FoldersExists));
      break;
    case StepKind::TemplateRejected:
      out = Outcome(step, OutcomeKind::Other, CreateList::FoldersOther);
      out.Count(Id(C::FoldersOther));
      if (rules.rejectedAddsTotals) {
        out.Count(Id(C::SubFoldersOther), rules.totals.folders);
        out.Count(Id(C::FilesOther), rules.totals.files);
        out.Count(Id(C::FilesSizeOther), rules.totals.bytes);
      }
      break;
  }
  return out;
}

ItemOutcome CopyPageStepOutcome(const AttachStep& step) {
  using C = CopyCounter;
  ItemOutcome out;
  switch (step.kind) {
    case StepKind::BaseCreated:
    case StepKind::SubfolderCreated:
    case StepKind::TemplateCreated:
      out = Made(step, static_cast<std::size_t>(CopyList::SubFoldersCopied));
      out.Count(Id(C::SubFoldersCopied));
      break;
    case StepKind::BaseExists:
    case StepKind::SubfolderExists:
    case StepKind::TemplateExists:
      out = Outcome(step, OutcomeKind::AlreadyExists, CopyList::SubFoldersExists);
      out.Count(Id(C::SubFoldersExists));
      break;
    case StepKind::SubfolderFailed:
      // Counted with the folders there already.
      out = Outcome(step, OutcomeKind::Other, CopyList::SubFoldersExists);
      out.Count(Id(C::SubFoldersExists));
      break;
    case StepKind::FileCopied:
      out = Outcome(step, OutcomeKind::Done, CopyList::FilesCopied);
      out.Count(Id(C::FilesCopied));
      out.Count(Id(C::FileSizeCopied), Bytes(step, PageKey::Vol08, true, out));
      Written(step, out);
      break;
    case StepKind::FileNotCopied:
      out = Outcome(step, OutcomeKind::AlreadyExists, CopyList::FilesExists);
      out.Count(Id(C::FilesExists));
      out.Count(Id(C::FileSizeExists), Bytes(step, PageKey::Vol08, false, out));
      break;
    case StepKind::TemplateFailed:
      out = Outcome(step, OutcomeKind::Other, CopyList::SubFoldersOtherReasons);
      out.Count(Id(C::SubFoldersExists));
      out.Count(Id(C::SubFoldersOtherReasons));
      break;
    case StepKind::TemplateRejected:
      out = Outcome(step, OutcomeKind::Other, CopyList::SubFoldersOtherReasons);
      out.Count(Id(C::SubFoldersOtherReasons));
      break;
  }
  return out;
}

}  // namespace quillory
