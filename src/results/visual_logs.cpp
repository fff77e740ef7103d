#include "results/visual_logs.h"

#include <algorithm>
#include <stdexcept>

#include "app/ui.h"
#include "app/window.h"
#include "results/visual_log_windows.h"

namespace quillory {

VisualLogs::VisualLogs(Ui& ui) : ui_(ui) {}

void VisualLogs::Attach(PageKey page, OperationStatistics& stats, Window& pageLabels, VisualLogWindow& log,
                        CheckBox& showVisualLog) {
  if (!log.Zoom()) throw std::logic_error("Visual Log " + log.ClassName() + " has no zoom window");
  Page& p = At(page);
  p.stats = &stats;
  p.log = &log;
  p.show = &showVisualLog;
  p.pageLabels.clear();
  p.logLabels.clear();
  const std::string number(PageOf(page).number);
  for (std::size_t i = 0; i < stats.Names().size(); ++i) {
    if (auto* label = pageLabels.FindAs<Label>("lblVol" + number + stats.Names()[i])) p.pageLabels.emplace_back(label, i);
    if (auto* label = log.FindAs<Label>("lblStat" + number + stats.Names()[i])) p.logLabels.emplace_back(label, i);
  }
}

const VisualLogs::Page& VisualLogs::Checked(PageKey page) const {
  const Page& p = At(page);
  if (!p.log) throw std::logic_error(std::string("no Visual Log attached for page ") + std::string(PageOf(page).number));
  return p;
}

OperationStatistics& VisualLogs::Stats(PageKey page) const { return *Checked(page).stats; }
VisualLogWindow& VisualLogs::Log(PageKey page) const { return *Checked(page).log; }
ZoomStatisticsWindow& VisualLogs::Zoom(PageKey page) const { return *Checked(page).log->Zoom(); }

ListBox& VisualLogs::List(PageKey page, std::size_t list) const {
  VisualLogWindow& log = Log(page);
  if (list >= log.results.size()) throw std::out_of_range("no result list " + std::to_string(list));
  return *log.results[list].list;
}

ListBox& VisualLogs::Twin(PageKey page, std::size_t list) const {
  ZoomStatisticsWindow& zoom = Zoom(page);
  if (list >= zoom.twins.size()) throw std::out_of_range("no zoom list " + std::to_string(list));
  return *zoom.twins[list].list;
}

void VisualLogs::PrepareVisualLog(PageKey page, bool simulation, const std::vector<std::size_t>& keep,
                                  std::optional<bool> show) {
  const Page& p = Checked(page);
  p.log->chkNormalSimulate.SetChecked(!simulation);
  p.log->RefreshHeading();
  ZoomStatisticsWindow& zoom = *p.log->Zoom();
  for (std::size_t i = 0; i < p.log->results.size(); ++i) {
    if (std::find(keep.begin(), keep.end(), i) != keep.end()) continue;
    p.log->results[i].list->Clear();
    if (i < zoom.twins.size()) zoom.twins[i].list->Clear();
  }
  ShowCounters(page);
  if (show.value_or(p.show->Checked())) ui_.Show(*p.log);
}

void VisualLogs::AddResult(PageKey page, std::size_t list, const SharedText& path) {
  // Once per outcome of a run: the page is looked up once for both lists.
  const Page& p = Checked(page);
  if (list >= p.log->results.size() || list >= p.log->Zoom()->twins.size())
    throw std::out_of_range("no result list " + std::to_string(list));
  p.log->results[list].list->AddShared(path);
  p.log->Zoom()->twins[list].list->AddShared(path);
}

void VisualLogs::AddResult(PageKey page, std::size_t list, const std::string& path) {
  List(page, list).Add(path);
  Twin(page, list).Add(path);
}

void VisualLogs::WriteLogCounters(PageKey page) {
  const Page& p = Checked(page);
  for (auto& [label, index] : p.logLabels) label->SetCaption(FormatCounter(p.stats->At(index)));
}

void VisualLogs::WriteCounters(PageKey page) {
  const Page& p = Checked(page);
  for (auto& [label, index] : p.pageLabels) label->SetCaption(FormatCounter(p.stats->At(index)));
  WriteLogCounters(page);
}

void VisualLogs::ShowCounters(PageKey page) {
  WriteCounters(page);
  ui_.Repaint();
}

void VisualLogs::ShowVisualLog(PageKey page) {
  WriteLogCounters(page);
  ui_.Show(Log(page));
}

void VisualLogs::RefreshHeadings() {
  for (const Page& p : pages_)
    if (p.log) p.log->RefreshHeading();
}

void VisualLogs::ClearAll() {
  for (const Page& p : pages_) {
    if (!p.log) continue;
    for (auto& result : p.log->results) result.list->Clear();
    for (auto& twin : p.log->Zoom()->twins) twin.list->Clear();
  }
}

}  // namespace quillory
