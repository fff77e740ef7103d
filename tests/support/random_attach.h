// What a create or copy page attaches, chosen by a seeded generator:
// nothing, three template lines (one a parent of another), or a structure
// in a random mode.
#pragma once

#include <random>
#include <string>

#include "structures/structures_group.h"

namespace quillory {

inline void AttachAtRandom(StructuresGroup& group, std::mt19937& random, const std::string& structure) {
  switch (random() % 3) {
    case 0: group.SourceKindClick(SourceKind::Nothing); break;
    case 1:
      group.SourceKindClick(SourceKind::Templates);
      group.list.SetItems({"\\A\\B", "\\C", "\\A"});
      break;
    default:
      group.SourceKindClick(SourceKind::Structures);
      group.AttachModeClick(static_cast<AttachMode>(1 + random() % 4));
      group.list.SetItems({structure});
      break;
  }
}

}  // namespace quillory
