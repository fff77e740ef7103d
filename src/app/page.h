// The seven pages of the main window, each named once. Every table that
// differs per page is indexed through a page's descriptor, so a page that
// does not exist cannot be named and no page falls through to a default.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quillory {

// In tab order.
enum class PageKey { Vol08, Vol07, Vol06, Vol02, Vol04, Vol03, Forced };
constexpr std::size_t kPageCount = 7;
// The six pages with a batch run, a Visual Log and statistics.
constexpr std::size_t kOperationPageCount = 6;
// The five pages with an include/exclude list panel.
constexpr std::size_t kPanelPageCount = 5;

struct PageDescriptor {
  PageKey key;
  std::string_view name;        // "Vol02": the stem of the page's control names
  std::string_view number;      // "02": the stem of its counter and Visual Log names
  std::string_view tab;         // its TabSheet's name
  std::string_view tabCaption;
  // Position among the operation pages in the order 02, 03, 04, 06, 07, 08
  // (the Visual Logs' order); -1 for the manual page.
  int operationIndex;
  // Position among the list-panel pages in the order 02, 04, 06, 07, 08;
  // -1 where the page has no list panel.
  int panelIndex;
  bool createsFolders;  // Vol02, Vol03, Vol04
  bool folderList;      // its include list holds full folder paths

  std::size_t tabIndex() const { return static_cast<std::size_t>(key); }
  bool hasPanel() const { return panelIndex >= 0; }
  bool hasVisualLog() const { return operationIndex >= 0; }
};

inline constexpr std::array<PageDescriptor, kPageCount> kPages = {{
    {PageKey::Vol08, "Vol08", "08", "tabFoldersCopy02", "Copy Folder Structures", 5, 4, false, true},
    {PageKey::Vol07, "Vol07", "07", "tabFoldersDelete01", "Delete Folder Structures", 4, 3, false, true},
    {PageKey::Vol06, "Vol06", "06", "tabFoldersRename01", "Rename Folders ", 3, 2, false, true},
    {PageKey::Vol02, "Vol02", "02", "tabFolderCreate03", "Create Folder Structures-I", 0, 0, true, false},
    {PageKey::Vol04, "Vol04", "04", "tabFolderCreate05", "Create Folder Struct.-II", 2, 1, true, true},
    {PageKey::Vol03, "Vol03", "03", "tabFolderCreate04", "Create Folder Struct.-III", 1, -1, true, false},
    {PageKey::Forced, "Forced", "", "tabFolderCreate01", "Create Folder -IV.", -1, -1, true, false},
}};

constexpr const PageDescriptor& PageOf(PageKey key) { return kPages[static_cast<std::size_t>(key)]; }

// The operation pages in Visual Log order, and the list-panel pages in panel
// order: what the per-page tables of those subsystems are indexed by.
inline constexpr std::array<PageKey, kOperationPageCount> kOperationPages = {
    PageKey::Vol02, PageKey::Vol03, PageKey::Vol04, PageKey::Vol06, PageKey::Vol07, PageKey::Vol08};
inline constexpr std::array<PageKey, kPanelPageCount> kPanelPages = {PageKey::Vol02, PageKey::Vol04, PageKey::Vol06,
                                                                     PageKey::Vol07, PageKey::Vol08};

// The index of the page in its subsystem's table; throws std::logic_error
// for a page that has none (a programming error, never a user's).
std::size_t OperationIndex(PageKey key);
std::size_t PanelIndex(PageKey key);

}  // namespace quillory
