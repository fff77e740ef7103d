// Where windows open: never larger than the screen they open on, and a
// secondary window centred over the window that opened it, each time it
// opens (a window manager that re-places a hidden window would otherwise
// let it creep down by a title bar per opening).
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace quillory {

// The rectangle (frame included) a window of client size `size` with frame
// `margins` takes when centred over `over` and kept inside `area`; the
// client size is first cut down to what `area` holds, never below `minimum`.
// Where the window cannot fit, its top left corner stays in the area.
QRect PlacedFrame(QSize size, QSize minimum, const QMargins& margins, const QRect& over, const QRect& area);

// What the window manager adds around a window's client area; nothing is
// known of a window that was never shown.
QMargins FrameMargins(const QWidget* window);

// The available geometry of the screen `window` is on (its parent's, the
// primary one when it has none yet).
QRect AvailableArea(const QWidget* window);

// Cuts a top-level window's size down to the available geometry of its
// screen, frame included.
void FitToScreen(QWidget* window);

// Centres the top-level `window` over its parent's window (the opening area
// that window names, see below), inside the screen, and cuts its size down
// to fit there. A window without a parent is centred on its screen.
void PlaceOverParent(QWidget* window);

// Windows whose parent window is `owner` open over `area`, a widget inside
// it, instead of over the whole window; null gives the whole window back.
void SetOpeningArea(QWidget* owner, QWidget* area);

}  // namespace quillory
