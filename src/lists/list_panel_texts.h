// The names and numbered messages of the list panel on each of its five
// pages, kept apart from what the panel does with them.
#pragma once

#include "app/page.h"
#include "app/ui.h"
#include "lists/list_panel.h"

namespace quillory {

namespace panel {

// Control names of one page's panel.
struct PanelNames {
  const char* incToExc;
  const char* excToInc;
  const char* allFromInc;
  const char* allFromExc;
  const char* exchange;
  const char* deleteSelected;
  const char* deleteSelectedCaption;
  const char* deleteAll;
  const char* editList;
  const char* addEdit;  // nullptr: the page adds through the folder browser
  const char* add;
  const char* addCaption;
  const char* viewSelected;  // nullptr on Vol02 and Vol04
  const char* zoom;
  const char* clearAll;
  const char* methodPrefix;  // "rdoVol08" ...; nullptr without method radios
  const char* importList;
  const char* smartImport;
  const char* exportList;
  const char* smartExport;
};

// A message of the panel: its number and caption; the kind follows from the
// caption's word ("Warning no" or "Information no") unless it is a question.
struct Numbered {
  const char* number;
  const char* caption;
};

MessageKind KindOf(const Numbered& message);
const PanelNames& NamesOf(PageKey page);

}  // namespace panel

// Every message number the panel shows on one page, with its caption.
struct ListPanel::Texts {
  panel::Numbered deleteEmpty, deleteQuestion, deleteAllEmpty, deleteAllQuestion;
  panel::Numbered addEmpty, addInInclude, addInExclude;
  panel::Numbered viewNone, bareDrive;
  panel::Numbered clearQuestion, clearEnd;
  panel::Numbered editFault;
  // Vol02 only.
  panel::Numbered hasDrive, illegal;
  // Vol04 only.
  panel::Numbered colons;
};

const ListPanel::Texts& TextsOf(PageKey page);

}  // namespace quillory
