#include "operations/folder_chains.h"

#include <algorithm>
#include <atomic>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "operations/create_run.h"
#include "operations/smart_delete.h"
#include "platform/canonical_paths.h"
#include "platform/drives.h"

namespace quillory {

namespace {

// The name at `depth` of a host path ("" when it is not that deep).
std::string_view NameAt(std::string_view host, std::size_t depth) {
  std::size_t at = 0, n = 0;
  while (at <= host.size()) {
    std::size_t end = host.find('/', at);
    if (end == std::string_view::npos) end = host.size();
    if (end > at && n++ == depth) return host.substr(at, end - at);
    at = end + 1;
  }
  return {};
}

// The names every path begins with.
std::vector<std::string> SharedNames(const std::vector<std::string>& hosts) {
  std::vector<std::string> base = SplitNames(hosts.front());
  for (const std::string& host : hosts) {
    const std::vector<std::string> names = SplitNames(host);
    std::size_t same = 0;
    while (same < base.size() && same < names.size() && base[same] == names[same]) ++same;
    base.resize(same);
  }
  return base;
}

std::string SharedFolder(const std::vector<std::string>& hosts) {
  std::string shared;
  for (const std::string& name : SharedNames(hosts)) {
    shared.push_back('/');
    shared += name;
  }
  if (shared.empty()) shared.push_back('/');
  return shared;
}

class UnionFind {
 public:
  std::uint32_t Add() {
    parent_.push_back(static_cast<std::uint32_t>(parent_.size()));
    return parent_.back();
  }
  std::uint32_t Find(std::uint32_t x) {
    while (parent_[x] != x) x = parent_[x] = parent_[parent_[x]];
    return x;
  }
  void Join(std::uint32_t a, std::uint32_t b) { parent_[Find(a)] = Find(b); }

 private:
  std::vector<std::uint32_t> parent_;
};

}  // namespace

FolderChainKeys ChainFolders(std::size_t count,
                             const std::function<void(std::size_t, std::vector<std::string>&)>& folders,
                             const DriveMap& drives, ChainOptions options) {
  // Every item's folders as host paths, then where they lead.
  std::vector<std::string> hosts;
  std::vector<std::size_t> firstOf(count + 1, 0);
  std::vector<std::string> named;
  for (std::size_t i = 0; i < count; ++i) {
    firstOf[i] = hosts.size();
    named.clear();
    folders(i, named);
    for (const std::string& path : named) {
      const std::string lexical = LexicalFolderPath(path);
      std::optional<std::string> host = drives.ToHost(lexical);
      hosts.push_back(host ? std::move(*host) : lexical);
    }
  }
  firstOf[count] = hosts.size();
  FolderChainKeys out;
  if (hosts.empty()) return out;
  // The folder `ready` looks for: as the items name it, so the program can
  // name it too.
  const std::optional<std::string> shared = drives.FromHost(SharedFolder(hosts));
  if (!shared) return out;
  // Where the paths lead, found by many threads: the distinct parents
  // first (a list holds many names per folder, and each parent is looked
  // at once), then the names themselves.
  CanonicalPaths canonical;
  const auto inParallel = [&](std::size_t count, const std::function<void(std::size_t)>& one) {
    std::atomic<std::size_t> next{0};
    const auto run = [&] {
      for (std::size_t i; (i = next.fetch_add(1)) < count;) one(i);
    };
    std::vector<std::thread> threads;
    const std::size_t extra =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(1, options.threads)) - 1, count / 8);
    for (std::size_t t = 0; t < extra; ++t) threads.emplace_back(run);
    run();
    for (std::thread& t : threads) t.join();
  };
  std::vector<std::string> parents;
  {
    std::unordered_set<std::string_view> seen;
    for (const std::string& host : hosts) {
      const std::size_t slash = host.rfind('/');
      if (!host.starts_with('/') || slash == 0 || slash == std::string::npos) continue;
      const std::string_view parent = std::string_view(host).substr(0, slash);
      if (seen.insert(parent).second) parents.emplace_back(parent);
    }
  }
  inParallel(parents.size(), [&](std::size_t i) { canonical.Of(parents[i]); });
  inParallel(hosts.size(), [&](std::size_t i) {
    if (hosts[i].starts_with('/')) hosts[i] = canonical.Of(hosts[i], options.followLast);
  });
  const std::size_t depth = SharedNames(hosts).size();
  // A folder that is the shared one touches every chain.
  for (const std::string& host : hosts)
    if (NameAt(host, depth).empty()) return out;
  // Items naming the same first folder below the shared one are one chain,
  // and an item naming two such folders (a rename) joins their chains.
  UnionFind chains;
  std::unordered_map<std::string_view, std::uint32_t> chainOf;
  std::vector<std::uint32_t> itemChain(count);
  for (std::size_t i = 0; i < count; ++i) {
    if (firstOf[i] == firstOf[i + 1]) {
      itemChain[i] = chains.Add();
      continue;
    }
    std::uint32_t first = 0;
    for (std::size_t f = firstOf[i]; f < firstOf[i + 1]; ++f) {
      const std::string_view below = NameAt(hosts[f], depth);
      auto [it, fresh] = chainOf.try_emplace(below, 0);
      if (fresh) it->second = chains.Add();
      if (f == firstOf[i])
        first = it->second;
      else
        chains.Join(it->second, first);
    }
    itemChain[i] = first;
  }
  out.keys.resize(count);
  for (std::size_t i = 0; i < count; ++i) out.keys[i] = chains.Find(itemChain[i]);
  out.base = *shared;
  return out;
}

void ChainByFolder(RunPlan& plan, const std::vector<std::string>& folders, const DriveMap& drives) {
  plan.chains.worker = [&plan] { return plan.work; };
  plan.chains.keys = [&folders, &drives](std::size_t from) {
    return ChainFolders(
               folders.size() - from,
               [&](std::size_t i, std::vector<std::string>& out) { out.push_back(folders[from + i]); }, drives)
        .keys;
  };
}

}  // namespace quillory
