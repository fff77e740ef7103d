#include "qt/placement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace quillory {

namespace {

constexpr char kOpeningArea[] = "quilloryOpeningArea";

QSize FrameSize(const QMargins& margins) {
  return {margins.left() + margins.right(), margins.top() + margins.bottom()};
}

QSize MinimumOf(const QWidget* window) { return window->minimumSize().expandedTo(window->minimumSizeHint()); }

// A window never shown has no frame yet: a title bar as the style draws
// one is the best guess, so that the bottom of the window is not pushed off
// the screen.
QMargins KnownOrGuessedFrame(const QWidget* window) {
  const QMargins known = FrameMargins(window);
  if (!known.isNull()) return known;
  return {0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), 0, 0};
}

QWidget* OpeningArea(const QWidget* owner) {
  const auto area = owner->property(kOpeningArea).value<QPointer<QWidget>>();
  return area && area->isVisible() ? area.data() : nullptr;
}

void Apply(QWidget* window, const QRect& frame, const QMargins& margins) {
  window->resize(frame.size() - FrameSize(margins));
  window->move(frame.topLeft());
}

}  // namespace

QMargins FrameMargins(const QWidget* window) {
  const QRect frame = window->frameGeometry();
  const QRect inner = window->geometry();
  return {inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
          frame.bottom() - inner.bottom()};
}

QRect PlacedFrame(QSize size, QSize minimum, const QMargins& margins, const QRect& over, const QRect& area) {
  const QSize frame = FrameSize(margins);
  const QSize client = size.boundedTo(area.size() - frame).expandedTo(minimum);
  const QSize outer = client + frame;
  int x = over.x() + (over.width() - outer.width()) / 2;
  int y = over.y() + (over.height() - outer.height()) / 2;
  // Right and bottom first: a window too large for the area keeps its top
  // left corner (the title bar) inside it.
  x = std::max(area.left(), std::min(x, area.left() + area.width() - outer.width()));
  y = std::max(area.top(), std::min(y, area.top() + area.height() - outer.height()));
  return {QPoint(x, y), outer};
}

QRect AvailableArea(const QWidget* window) {
  QScreen* screen = window ? window->screen() : nullptr;
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

void FitToScreen(QWidget* window) {
  const QRect area = AvailableArea(window);
  if (area.isEmpty()) return;
  const QSize fitted = window->size().boundedTo(area.size() - FrameSize(KnownOrGuessedFrame(window)));
  if (fitted != window->size()) window->resize(fitted.expandedTo(MinimumOf(window)));
}

void PlaceOverParent(QWidget* window) {
  QRect area = AvailableArea(window);
  if (area.isEmpty()) return;
  QRect over = area;
  QMargins margins = FrameMargins(window);
  QWidget* parent = window->parentWidget() ? window->parentWidget()->window() : nullptr;
  if (parent && parent->isVisible()) {
    over = parent->frameGeometry();
    if (QWidget* inner = OpeningArea(parent)) {
      over = QRect(inner->mapToGlobal(QPoint(0, 0)), inner->size());
      area = area.intersected(over);
    }
    // A window not shown yet has no frame: its parent's is the best guess.
    if (margins.isNull()) margins = FrameMargins(parent);
  } else if (margins.isNull()) {
    margins = KnownOrGuessedFrame(window);
  }
  Apply(window, PlacedFrame(window->size(), MinimumOf(window), margins, over, area), margins);
}

void SetOpeningArea(QWidget* owner, QWidget* area) {
  owner->setProperty(kOpeningArea, QVariant::fromValue(QPointer<QWidget>(area)));
}

}  // namespace quillory
