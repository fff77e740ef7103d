#include "operations/paths_page.h"

#include "names/name_composition.h"

namespace quillory {

CreateFromPathsPage::CreateFromPathsPage(PageContext& context)
    : CreatePage(context, PageKey::Vol04),
      edtVol04Prefix(context.owner.Make<Edit>("edtVol04Prefix")),
      edtVol04Suffix(context.owner.Make<Edit>("edtVol04Suffix")),
      chkVol04Hyphen(context.owner.Make<CheckBox>("chkVol04Hyphen", "Hyphen")),
      lstVol04IncludeFolderList(context.owner.Make<ListBox>("lstVol04IncludeFolderList", false)),
      lstVol04ExcludeFolderList(context.owner.Make<ListBox>("lstVol04ExcludeFolderList", false)),
      lblVol04IncludeSum(context.owner.Make<Label>("lblVol04IncludeSum", "0")),
      lblVol04ExcludeSum(context.owner.Make<Label>("lblVol04ExcludeSum", "0")),
      lblVol04StartFolder(context.owner.Make<Label>("lblVol04StartFolder")),
      lblVol04EndFolder(context.owner.Make<Label>("lblVol04EndFolder")),
      grpVol04Statistics(context.owner.Make<Label>("grpVol04Statistics", "Statistics")),
      chkVol04ViewDetailedResults(context.owner.Make<CheckBox>("chkVol04ViewDetailedResults", "Show Visual Log")),
      btnVol04Help(context.owner.Make<Button>("btnVol04Help", "Help")),
      btnVol04Statistics(context.owner.Make<Button>("btnVol04Statistics", "Visual Log")),
      panel(context.owner, context.services.ui, PageKey::Vol04, lstVol04IncludeFolderList, lstVol04ExcludeFolderList,
            lblVol04IncludeSum, lblVol04ExcludeSum, context.services.fs),
      structures(context.owner, context.services, PageKey::Vol04),
      forecast(context.services.fs, PageKey::Vol04, structures) {
  edtVol04Prefix.onChange = edtVol04Prefix.onExit = [this] { edtVol04PrefixChange(); };
  edtVol04Suffix.onChange = edtVol04Suffix.onExit = [this] { edtVol04SuffixChange(); };
  chkVol04Hyphen.onClick = [this] { chkVol04HyphenClick(); };
  btnVol04Help.onClick = [this] { context_.showHelp(PageKey::Vol04); };
  btnVol04Statistics.onClick = [this] { btnVol04StatisticsClick(); };
  connections_ = panel.OnListsChanged([this] { Refresh(); });
  panel.resetPage = [this] { Reset(); };
  structures.changed = [this] { Refresh(); };
}

void CreateFromPathsPage::FormCreate() {
  structures.FormCreate();
  stats.ResetAll();
  ShowCounters();
  lblVol04StartFolder.SetCaption("");
  lblVol04EndFolder.SetCaption("");
  chkVol04ViewDetailedResults.SetChecked(true);
  grpVol04Statistics.SetVisible(false);
  Refresh();
}

void CreateFromPathsPage::edtVol04PrefixChange() {
  FieldCheck(edtVol04Prefix, NameField::Prefix, [this] { RefreshPreview(); });
}
void CreateFromPathsPage::edtVol04SuffixChange() {
  FieldCheck(edtVol04Suffix, NameField::Suffix, [this] { RefreshPreview(); });
}
void CreateFromPathsPage::chkVol04HyphenClick() { RefreshPreview(); }

void CreateFromPathsPage::RefreshPreview() {
  const auto& items = lstVol04IncludeFolderList.Items();
  PreviewTexts previous{lblVol04StartFolder.Caption(), lblVol04EndFolder.Caption()};
  PreviewTexts preview =
      items.empty() ? PreviewVol04(previous, std::nullopt, std::nullopt, "", "", false)
                    : PreviewVol04(previous, items.front(), items.back(), edtVol04Prefix.Text(), edtVol04Suffix.Text(),
                                   chkVol04Hyphen.Checked());
  lblVol04StartFolder.SetCaption(preview.start);
  lblVol04EndFolder.SetCaption(preview.end);
}

void CreateFromPathsPage::Refresh() {
  panel.RefreshSums();
  const bool items = !lstVol04IncludeFolderList.Empty();
  for (Control* c : std::initializer_list<Control*>{&edtVol04Prefix, &edtVol04Suffix, &chkVol04Hyphen,
                                                     &lblVol04StartFolder, &lblVol04EndFolder})
    c->SetEnabled(items);
  // Attach options and structures wait for the first include item.
  structures.SetPageEnabled(items);
  for (auto& row : statLabels)
    for (auto* l : row) l->SetEnabled(items);
  RefreshForecast(forecast, lstVol04IncludeFolderList.Count(), lstVol04IncludeFolderList.Items());
  RefreshPreview();
}

void CreateFromPathsPage::Reset() {
  edtVol04Prefix.SetText("");
  edtVol04Suffix.SetText("");
  chkVol04Hyphen.SetChecked(true);
  lblVol04StartFolder.SetCaption("");
  lblVol04EndFolder.SetCaption("");
  chkVol04ViewDetailedResults.SetChecked(true);
  stats.ResetAll();
  ClearRecords();
  structures.Reset();
  Refresh();
}

}  // namespace quillory
