// Lists the subfolders of root folders that lie at chosen depths below them,
// breadth first, optionally only those whose own name holds a filter text.
//
// The depth of a folder is its separator count minus the root's. Result
// paths are the root as given, then "\" and the names: a root that ends in
// a separator ("D:\") gives a doubled one at that join ("D:\\a"), which
// keeps the depth of its children at 1.
//
// The walk reads folders through descriptors and never follows a symbolic
// link found inside the tree, so a link loop ends like any other branch. A
// folder that cannot be opened is neither listed nor counted as a subfolder
// of its parent; one that fails part-way keeps what was read. Each folder is
// read at most once: whether a candidate ends its branch (the leaf test of
// "Only the Last") is learnt when the walk reaches its subfolders, and the
// candidate keeps its place in the results meanwhile.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace quillory {

class LevelCopy {
 public:
  enum Selection : int { None = 0, FromTo = 1, Above = 2, Below = 3 };
  enum ListKind : int { OnlyTheLast = 1, AllInThePath = 2 };

  explicit LevelCopy(std::vector<std::string> roots, FileSystem& fs);

  // Each setter chooses its selection and clears the other bounds.
  void SetFromTo(std::uint32_t from, std::uint32_t to);
  void SetAbove(std::uint32_t n);
  void SetBelow(std::uint32_t n);
  // 1 "Only the Last", 2 "All in the Path"; anything else is taken as 1.
  void SetListKind(int kind);
  // Kept lower-cased, without a trailing '\' or '/'.
  void SetFilter(const std::string& text);

  void Run();
  const std::vector<std::string>& Results() const { return results_; }
  std::vector<std::string> TakeResults() { return std::move(results_); }

  int SelectionKind() const { return selection_; }
  int ListKindValue() const { return listKind_; }
  const std::string& Filter() const { return filter_; }

  // What the rules ask of a folder found at depth `d`.
  struct Rule {
    bool select = false;  // a candidate for the results
    bool leafOnly = false;  // ... only when it has no enterable subfolder
    bool queue = false;   // its subfolders are examined
  };
  Rule RuleAt(std::uint32_t d) const;
  // The filter test on a found folder's text.
  bool PassesFilter(const std::string& child) const;

 private:
  void Walk(const std::string& root);

  std::vector<std::string> roots_;
  FileSystem& fs_;
  int selection_ = None;
  std::uint32_t from_ = 0, to_ = 0, above_ = 0, below_ = 0;
  int listKind_ = OnlyTheLast;
  std::string filter_;
  std::vector<std::string> results_;
};

}  // namespace quillory
