#include "undo/rename_record.h"

namespace quillory {

RenameRecords::RenameRecords(std::initializer_list<_tagReplaceFoldersStruct> records) {
  reserve(records.size());
  for (const _tagReplaceFoldersStruct& record : records) push_back(record);
}

void RenameRecords::push_back(RenameRecordView record) {
  old_.push_back(record.OldPath);
  new_.push_back(record.NewPath);
}

void RenameRecords::push_back(std::string_view oldPath, const SharedText& newPath) {
  old_.push_back(oldPath);
  new_.push_back(newPath);
}

void RenameRecords::clear() {
  old_.clear();
  new_.clear();
}

void RenameRecords::reserve(std::size_t count) {
  old_.reserve(count);
  new_.reserve(count);
}

void RenameRecords::Reorder(const std::vector<std::size_t>& order) {
  old_.Reorder(order);
  new_.Reorder(order);
}

}  // namespace quillory
