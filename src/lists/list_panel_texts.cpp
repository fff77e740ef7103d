#include "lists/list_panel_texts.h"

#include <string_view>

namespace quillory {

namespace {

using panel::PanelNames;

const PanelNames kNames[] = {
    {"btnVol02IncToExc", "btnVol02ExcToInc", "btnVol02AllFromInc", "btnVol02AllFromExc", "btnVol02ExchangeIncExc",
     "btnVol02DeleteFromExclude", "Delete Excluded", "btnVol02DeleteExcludeAll", "btnVol02EditIncludeList",
     "edtVol02AddToList", "btnVol02AddToList", "Add", nullptr, "btnVol02ZoomIncludeWindow", "btnVol02ClearAll",
     nullptr, "btnVol02Open", "btnVol02SmartImport", "btnVol02Save", "btnVol02SmartExport"},
    {"btnVol04IncToExc", "btnVol04ExcToInc", "btnVol04AllfromInc", "btnVol04AllfromExc", "btnVol04ExchangeIncExc",
     "btnVol04DeleteFromExclude", "Delete Excluded", "btnVol04DeleteExcludeAll", "btnVol04EditIncludeList",
     "edtVol04AddToList", "btnVol04AddToList", "Add Folder", nullptr, "btnVol04ZoomIncludeWindow",
     "btnVol04ClearAll", nullptr, "btnVol04Open", "btnVol04SmartImport", "btnVol04Save", "btnVol04SmartExport"},
    {"btnVol06IncToExc", "btnVol06ExcToInc", "btnVol06AllFromInc", "btnVol06AllFromExc", "btnVol06ExchangeIncToExc",
     "btnVol06DeleteFromExcludeList", "Delete Selected", "btnVol06DeleteExcludeAll", "btnVol06EditIncludeWindow",
     nullptr, "btnVol06AddFolderToList", "Add Folder", "btnVol06includeFolderList", "btnVol06ZoomIncludeWindow",
     "btnVol06ClearAll", "rdoVol06", "btnVol06LoadFrom", "btnVol06SmartImport", "btnVol06SaveTo",
     "btnVol06SmartExport"},
    {"btnVol07IncToExc", "btnVol07ExcToInc", "btnVol07AllFromInc", "btnVol07AllFromExc", "btnVol07ExchangeIncExc",
     "btnVol07DeleteFromExcludeList", "Delete Selected", "btnVol07DeleteExcludeAll", "btnVol07EditIncludeList",
     nullptr, "btnVol07AddFoldersToList", "Add Structure", "btnVol07IncludeFolderListView",
     "btnVol07ZoomIncludeWindow", "btnVol07ClearAll", "rdoVol07", "btnVol07LoadFrom", "btnVol07SmartImport",
     "btnVol07SaveTo", "btnVol07SmartExport"},
    {"btnVol08IncToExc", "btnVol08ExcToInc", "btnVol08AllfromInc", "btnVol08AllfromExc", "btnVol08ExchangeIncToExc",
     "btnVol08DeleteExcludeList", "Delete Selected", "btnVol08DeleteExcludeAll", "btnVol08EditIncludeList", nullptr,
     "btnVol08AddFolderToList", "Add  Folder", "btnVol08IncludeFolderListView", "btnVol08ZoomIncludeWindow",
     "btnVol08ClearAll", "rdoVol08", "btnVol08LoadFrom", "btnVol08SmartImport", "btnVol08SaveTo",
     "btnVol08SmartExport"},
};

#define VOL02 "Creating Folder(s).-From a String List.            Warning no: "
#define VOL04 "Creating Folder(s).-From a Folder List.            Warning no: "
#define VOL06A "Rename Folders - From a Folder List.            Warning no: "
#define VOL06B "Rename Folders. - From a Folder List.            Warning no: "
#define VOL06C "Rename folders. - From a Folder List.            Warning no: "
#define VOL06L "Rename Folder(s).-From a Folder List - Level.            Warning no: "
#define VOL07A "Delete Folder structure(s).-From a Folder List.            Warning no: "
#define VOL07B "Delete Folder(s).-From a Folder List.            Warning no: "
#define VOL07L "Delete Folder(s).-From a Folder List - Level.            Warning no: "
#define VOL08 "Copy Folder Structure(s).-From a Folder List - Level.            Warning no: "

const ListPanel::Texts kTexts[] = {
    // Vol02
    {{"0144", VOL02 "0144."},
     {"0017", VOL02 "0017."},
     {"0528", VOL02 "0528."},
     {"0529", VOL02 "0529."},
     {"0004", VOL02 "0004."},
     {"0005", VOL02 "0005."},
     {"0006", VOL02 "0006."},
     {nullptr, nullptr},
     {nullptr, nullptr},
     {"0032", "Creating Folder(s).-From a String List.            Information no: 0032."},
     {"0033", "Creating Folder(s).-From a String List.            Information no: 0033."},
     {"0385bc", VOL02 "0385bc."},
     {"0007", "Creating Folder(s).-From a String List.          Warning no: 0007."},
     {"0008", VOL02 "0008."},
     {nullptr, nullptr}},
    // Vol04
    {{"0145", VOL04 "0145."},
     {"0053", VOL04 "0053."},
     {"0526", "Creating Folder List(s).-From a Folder List.            Warning no: 0526."},
     {"0527", "Creating Folder List(s).-From a Folder List.             Warning no: 0527."},
     {"0042", VOL04 "0042."},
     {"0044", VOL04 "0044."},
     {"0044", VOL04 "0044."},
     {nullptr, nullptr},
     {nullptr, nullptr},
     {"0064", "Creating Folder(s).-From a Folder List.            Information no: 0064"},
     {"0065", "Creating Folder(s).-From a Folder List.           Warning no: 0065."},
     {"0385bc", VOL04 "0385bc."},
     {nullptr, nullptr},
     {nullptr, nullptr},
     {"0043", VOL04 "0043."}},
    // Vol06
    {{"0199", VOL06C "0199."},
     {"0198", VOL06B "0198."},
     {"0524", VOL06L "0524."},
     {"0525", VOL06L "0525."},
     {"0184", VOL06A "0184."},
     {"0185", VOL06B "0185."},
     {"0186", VOL06A "0186."},
     {"0305", VOL06C "0305."},
     {nullptr, nullptr},
     {"0204", "Rename Folders. - From a Folder List.            Information no: 0204."},
     {"0205", "Rename Folders. - From a Folder List.           Warning no: 0205."},
     {"0385bc", "Rename Folder(s).-From a Folder List.            Warning no: 0385bc."},
     {nullptr, nullptr},
     {nullptr, nullptr},
     {nullptr, nullptr}},
    // Vol07
    {{"0234", VOL07B "0234."},
     {"0233", VOL07B "0233."},
     {"0522", VOL07L "0522."},
     {"0523", VOL07L "0523."},
     {"0219", VOL07A "0219."},
     {"0220", VOL07A "0220."},
     {"0221", VOL07A "0221."},
     {"0306", VOL07B "0306."},
     {"0334", VOL07B "0334."},
     {"0236", "Delete Folder(s).-From a Folder List.            Information no: 0236."},
     {"0237", "Delete Foldere(s).-From a Folder List.           Warning no: 0237."},
     {"0385bc", "Delete Folder(s).-From a Folder List.            Warning no: 0385bc."},
     {nullptr, nullptr},
     {nullptr, nullptr},
     {nullptr, nullptr}},
    // Vol08
    {{"0277", VOL08 "0277."},
     {"0276", VOL08 "0276."},
     {"0520", VOL08 "0520."},
     {"0521", VOL08 "0521."},
     {"0262", VOL08 "0262."},
     {"0263", VOL08 "0263."},
     {"0264", VOL08 "0264."},
     {"0278", VOL08 "0278."},
     {nullptr, nullptr},
     {"0287", "Copy Folder Structure(s).-From a Folder List - Level.            Information no: 0287."},
     {"0288", "Copy Folder Structure(s).-From a Folder List Level.           Warning no: 0288."},
     {"0383bc", "Copy Folder Structure(s).-From a Folder List.          Warning no: 0383bc."},
     {nullptr, nullptr},
     {nullptr, nullptr},
     {nullptr, nullptr}},
};

#undef VOL02
#undef VOL04
#undef VOL06A
#undef VOL06B
#undef VOL06C
#undef VOL06L
#undef VOL07A
#undef VOL07B
#undef VOL07L
#undef VOL08

}  // namespace

namespace panel {

MessageKind KindOf(const Numbered& message) {
  return std::string_view(message.caption).find("Information no") != std::string_view::npos
             ? MessageKind::Information
             : MessageKind::Warning;
}

const PanelNames& NamesOf(PageKey page) { return kNames[PanelIndex(page)]; }

}  // namespace panel

const ListPanel::Texts& TextsOf(PageKey page) { return kTexts[PanelIndex(page)]; }

}  // namespace quillory
