// The record of a rename run, named here so that the journal and the undo
// of renames can hold it without knowing the rename page.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "platform/path_text.h"
#include "platform/text.h"
#include "platform/text_list.h"

namespace quillory {

// One successful rename: what the folder was called and what it became.
struct _tagReplaceFoldersStruct {
  AnsiString OldPath;
  AnsiString NewPath;
  bool operator==(const _tagReplaceFoldersStruct&) const = default;
};

// One rename as a record list holds it: views of the list's bytes, valid
// while the list is unchanged.
struct RenameRecordView {
  std::string_view OldPath;
  std::string_view NewPath;
  RenameRecordView(std::string_view oldPath, std::string_view newPath) : OldPath(oldPath), NewPath(newPath) {}
  RenameRecordView(const _tagReplaceFoldersStruct& r) : OldPath(r.OldPath), NewPath(r.NewPath) {}  // NOLINT
  bool operator==(const RenameRecordView&) const = default;
};

// A run's renames, in the order they were done. Each path is kept once, in
// arenas: the new path is the very text the run's Visual Log lists, so a
// record costs sixteen bytes and its old path's bytes, where two strings of
// their own cost a hundred and a heap allocation each.
class RenameRecords {
 public:
  RenameRecords() = default;
  RenameRecords(std::initializer_list<_tagReplaceFoldersStruct> records);  // NOLINT: set from journals and tests

  std::size_t size() const { return old_.size(); }
  bool empty() const { return old_.empty(); }
  RenameRecordView operator[](std::size_t i) const { return {old_[i], new_[i]}; }
  RenameRecordView back() const { return (*this)[size() - 1]; }

  void push_back(RenameRecordView record);
  // The new path shared with a list that already holds it.
  void push_back(std::string_view oldPath, const SharedText& newPath);
  void clear();
  void reserve(std::size_t count);
  // The list becomes its records order[0], order[1], ...
  void Reorder(const std::vector<std::size_t>& order);

  friend bool operator==(const RenameRecords& a, const RenameRecords& b) {
    return a.old_ == b.old_ && a.new_ == b.new_;
  }

 private:
  TextList old_, new_;
};

}  // namespace quillory
