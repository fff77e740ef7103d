#include "lists/level_copy.h"

#include <deque>
#include <utility>

#include "platform/text.h"
#include "platform/tree_walk.h"
#include "tree/examine_sub_folders.h"

namespace quillory {

LevelCopy::LevelCopy(std::vector<std::string> roots, FileSystem& fs) : roots_(std::move(roots)), fs_(fs) {}

void LevelCopy::SetFromTo(std::uint32_t from, std::uint32_t to) {
  selection_ = FromTo;
  from_ = from;
  to_ = to;
  above_ = below_ = 0;
}

void LevelCopy::SetAbove(std::uint32_t n) {
  selection_ = Above;
  above_ = n;
  from_ = to_ = below_ = 0;
}

void LevelCopy::SetBelow(std::uint32_t n) {
  selection_ = Below;
  below_ = n;
  from_ = to_ = above_ = 0;
}

void LevelCopy::SetListKind(int kind) { listKind_ = kind == AllInThePath ? AllInThePath : OnlyTheLast; }

void LevelCopy::SetFilter(const std::string& text) {
  filter_ = CaseFold(text);
  while (!filter_.empty() && (filter_.back() == '\\' || filter_.back() == '/')) filter_.pop_back();
}

LevelCopy::Rule LevelCopy::RuleAt(std::uint32_t d) const {
  const bool all = listKind_ == AllInThePath;
  switch (selection_) {
    case FromTo:
      if (d < from_) return {false, false, true};
      if (d > to_) return {};
      if (all || d == to_) return {true, false, true};
      return {true, true, true};
    case Above:
      if (d > above_) return {};
      if (all) return {true, false, true};
      if (d == above_) return {true, false, false};
      return {true, true, true};
    case Below:
      if (d < below_) return {false, false, true};
      return {true, !all, true};
    default:
      return {};
  }
}

bool LevelCopy::PassesFilter(const std::string& child) const {
  if (filter_.empty()) return true;
  const std::string text = Trim(child);
  const std::size_t cut = text.find_last_of("\\/");
  const std::string name = CaseFold(cut == std::string::npos ? std::string_view(text)
                                                            : std::string_view(text).substr(cut + 1));
  return name.find(filter_) != std::string::npos;
}

namespace {

constexpr std::size_t kNone = ~std::size_t{0};

// A folder that the rules would list, waiting to learn whether it can be
// entered and, for the leaf test, whether any subfolder of it can.
struct Candidate {
  std::string path;
  bool leafOnly = false;
  bool entered = false;
  bool hasSubfolder = false;
};

// A folder handed to the walk's queue: the walk takes them back in the same
// order, so a plain queue pairs each with what the rules decided of it.
struct Queued {
  std::size_t candidate = kNone;  // its own place in the results
  std::size_t parent = kNone;     // the parent's place, when the parent waits for the leaf test
  bool listChildren = false;      // its subfolders are examined by the rules
};

class LevelVisitor : public TreeVisitor {
 public:
  LevelVisitor(const LevelCopy& copy, const std::string& root, std::uint32_t rootLevel,
               std::vector<Candidate>& candidates)
      : copy_(copy), root_(root), rootLevel_(rootLevel), candidates_(candidates) {
    // The walk joins a root that ends in a separator without a second one;
    // the listed paths always have one.
    walkPrefix_ = root.size() + ((root.empty() || (root.back() != '\\' && root.back() != '/')) ? 1 : 0);
  }

  void Folder(const std::string&, std::uint32_t, bool listed) override {
    if (!rootSeen_) {
      rootSeen_ = true;
      current_ = Queued{kNone, kNone, listed};
      return;
    }
    current_ = queue_.front();
    queue_.pop_front();
    if (!listed) {
      current_.listChildren = false;
      current_.candidate = kNone;
      return;
    }
    if (current_.candidate != kNone) candidates_[current_.candidate].entered = true;
    if (current_.parent != kNone) candidates_[current_.parent].hasSubfolder = true;
  }

  bool Subfolder(const std::string& path, std::uint32_t level) override {
    if (!current_.listChildren) return false;
    const LevelCopy::Rule rule = copy_.RuleAt(level - rootLevel_);
    Queued next;
    if (current_.candidate != kNone && candidates_[current_.candidate].leafOnly &&
        !candidates_[current_.candidate].hasSubfolder)
      next.parent = current_.candidate;
    next.listChildren = rule.queue;
    if (rule.select) {
      std::string child;
      child.reserve(root_.size() + 1 + path.size() - walkPrefix_);
      child = root_;
      child += '\\';
      child.append(path, walkPrefix_, std::string::npos);
      if (copy_.PassesFilter(child)) {
        next.candidate = candidates_.size();
        candidates_.push_back(Candidate{std::move(child), rule.leafOnly, false, false});
      }
    }
    // Opened also when only its being enterable matters: for its own place
    // in the results, or for its parent's leaf test.
    if (!next.listChildren && next.candidate == kNone && next.parent == kNone) return false;
    queue_.push_back(next);
    return true;
  }

  void File(const std::string&, std::string_view, std::uint64_t) override {}

 private:
  const LevelCopy& copy_;
  const std::string& root_;
  std::uint32_t rootLevel_;
  std::size_t walkPrefix_ = 0;
  std::vector<Candidate>& candidates_;
  bool rootSeen_ = false;
  Queued current_;
  std::deque<Queued> queue_;
};

}  // namespace

void LevelCopy::Walk(const std::string& root) {
  if (selection_ == FromTo && to_ < from_) return;  // selects nothing: no need to read the disk
  if (selection_ == None) return;
  std::vector<Candidate> candidates;
  const std::uint32_t rootLevel = PathLevel(root);
  LevelVisitor visitor(*this, root, rootLevel, candidates);
  TreeWalkOptions options;
  options.rootLevel = rootLevel;
  options.fileSizes = false;
  WalkTree(root, visitor, options, fs_);
  for (Candidate& c : candidates)
    if (c.entered && !(c.leafOnly && c.hasSubfolder)) results_.push_back(std::move(c.path));
}

void LevelCopy::Run() {
  results_.clear();
  for (const std::string& root : roots_)
    if (!root.empty()) Walk(root);
}

}  // namespace quillory
