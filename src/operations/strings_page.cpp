#include "operations/strings_page.h"

#include "app/settings_store.h"
#include "platform/text.h"
#include "names/name_composition.h"

namespace quillory {

namespace {

const DestinationChooser::Texts kDestinationTexts = {
    {"The selection field is empty !\nAction : You must select a Destination Folder.",
     "Creating Folder(s).-From a String List.            Warning no: 0001."},
    {"The selection field is empty !\nAction : You must select a destination folder.",
     "Creating Folder(s).-From a String List.            Warning no: 0002."}};

}  // namespace

CreateFromStringsPage::CreateFromStringsPage(PageContext& context)
    : CreatePage(context, PageKey::Vol02),
      destination(context, PageKey::Vol02, kDestinationTexts),
      cboVol02DestFolders(destination.combo),
      btnVol02AddDestFolder(destination.browse),
      btnVol02ViewDestFolder(destination.view),
      edtVol02Prefix(context.owner.Make<Edit>("edtVol02Prefix")),
      edtVol02Suffix(context.owner.Make<Edit>("edtVol02Suffix")),
      chkVol02Hyphen(context.owner.Make<CheckBox>("chkVol02Hyphen", "Hyphen")),
      lstVol02IncludeStrings(context.owner.Make<ListBox>("lstVol02IncludeStrings", true)),
      lstVol02ExcludeStrings(context.owner.Make<ListBox>("lstVol02ExcludeStrings", true)),
      lblVol02IncludeSum(context.owner.Make<Label>("lblVol02IncludeSum", "0")),
      lblVol02ExcludeSum(context.owner.Make<Label>("lblVol02ExcludeSum", "0")),
      lblVol02StartFolder(context.owner.Make<Label>("lblVol02StartFolder")),
      lblVol02EndFolder(context.owner.Make<Label>("lblVol02EndFolder")),
      chkVol02ViewDetailedResults(context.owner.Make<CheckBox>("chkVol02ViewDetailedResults", "Show Visual Log")),
      chkVol02ViewDestFolder(context.owner.Make<CheckBox>("chkVol02ViewDestFolder", "Show Explorer")),
      btnVol02ListHelp(context.owner.Make<Button>("btnVol02ListHelp", "Help")),
      btnVol02Statistic(context.owner.Make<Button>("btnVol02Statistic", "Visual Log")),
      panel(context.owner, context.services.ui, PageKey::Vol02, lstVol02IncludeStrings, lstVol02ExcludeStrings,
            lblVol02IncludeSum, lblVol02ExcludeSum, context.services.fs),
      structures(context.owner, context.services, PageKey::Vol02),
      forecast(context.services.fs, PageKey::Vol02, structures) {
  destination.chosenChanged = [this](bool chosen) {
    // The list panel needs a destination.
    panel.SetEnabled(chosen);
    Refresh();
  };
  destination.afterChoose = [this] {
    RefreshPreview();
    edtVol02Prefix.SetFocus();
  };
  edtVol02Prefix.onChange = edtVol02Prefix.onExit = [this] { edtVol02PrefixChange(); };
  edtVol02Suffix.onChange = edtVol02Suffix.onExit = [this] { edtVol02SuffixChange(); };
  chkVol02Hyphen.onClick = [this] { chkVol02HyphenClick(); };
  btnVol02ListHelp.onClick = [this] { context_.showHelp(PageKey::Vol02); };
  btnVol02Statistic.onClick = [this] { btnVol02StatisticClick(); };
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  panel.afterAdd = [this] { RefreshPreview(); };
  panel.resetPage = [this] { Reset(); };
  structures.changed = [this] { Refresh(); };
}

void CreateFromStringsPage::FormCreate() {
  structures.FormCreate();
  stats.ResetAll();
  ShowCounters();
  lblVol02StartFolder.SetCaption("");
  lblVol02EndFolder.SetCaption("");
  chkVol02ViewDetailedResults.SetChecked(true);
  chkVol02ViewDestFolder.SetChecked(true);
  destination.Load(context_.services.settings.Vol02DestHistory());
  destination.SetChosen(false);
}

void CreateFromStringsPage::FormClose() {
  if (!cboVol02DestFolders.Items().empty())
    context_.services.settings.SetVol02DestHistory(cboVol02DestFolders.Items());
}

void CreateFromStringsPage::edtVol02PrefixChange() {
  FieldCheck(edtVol02Prefix, NameField::Prefix, [this] { RefreshPreview(); });
}
void CreateFromStringsPage::edtVol02SuffixChange() {
  FieldCheck(edtVol02Suffix, NameField::Suffix, [this] { RefreshPreview(); });
}
void CreateFromStringsPage::chkVol02HyphenClick() { RefreshPreview(); }

void CreateFromStringsPage::RefreshPreview() {
  const auto& items = lstVol02IncludeStrings.Items();
  _tagVol0XParts parts = ComposePartsVol02(cboVol02DestFolders.Text(), edtVol02Prefix.Text(), edtVol02Suffix.Text(),
                                           chkVol02Hyphen.Checked());
  PreviewTexts preview = items.empty() ? PreviewVol02(parts, std::nullopt, std::nullopt)
                                       : PreviewVol02(parts, items.front(), items.back());
  lblVol02StartFolder.SetCaption(preview.start);
  lblVol02EndFolder.SetCaption(preview.end);
}

void CreateFromStringsPage::Refresh() {
  panel.RefreshSums();
  const std::string target = Trim(cboVol02DestFolders.Text());
  RefreshForecast(forecast, lstVol02IncludeStrings.Count(),
                  destination.Chosen() && !target.empty() ? std::vector<std::string>{target}
                                                          : std::vector<std::string>{});
  RefreshPreview();
}

void CreateFromStringsPage::Reset() {
  if (!cboVol02DestFolders.Items().empty()) cboVol02DestFolders.SetItemIndex(0);
  edtVol02Prefix.SetText("");
  edtVol02Suffix.SetText("");
  chkVol02Hyphen.SetChecked(true);
  lblVol02StartFolder.SetCaption("");
  lblVol02EndFolder.SetCaption("");
  chkVol02ViewDestFolder.SetChecked(true);
  chkVol02ViewDetailedResults.SetChecked(true);
  stats.ResetAll();
  ClearRecords();
  structures.Reset();
  destination.SetChosen(false);
  ShowCounters();
}

}  // namespace quillory
