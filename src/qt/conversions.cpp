#include "qt/bindings.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"

namespace quillory {

QString ToQt(std::string_view text) {
  if (IsValidUtf8(text)) return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const std::string shown = EscapeForDisplay(text);
  return QString::fromUtf8(shown.data(), static_cast<qsizetype>(shown.size()));
}

std::string FromQt(const QString& text) { return text.toStdString(); }

QColor ToQColor(Color color) {
  switch (color) {
    case Color::Green: return QColor(0x00, 0x80, 0x00);
    case Color::Red: return QColor(0xFF, 0x00, 0x00);
    case Color::Maroon: return QColor(0x80, 0x00, 0x00);
    case Color::DarkRed: return QColor(0x8B, 0x00, 0x00);
    case Color::Default: break;
  }
  return {};
}

namespace {

// Relative luminance of a colour, as the accessibility guidelines define it.
double Luminance(const QColor& color) {
  const auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) + 0.0722 * channel(color.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableShade(Color color, const QColor& background) {
  const QColor named = ToQColor(color);
  if (!named.isValid() || !background.isValid()) return named;
  // On a light window the named colours reach what large or bold text
  // needs (3:1) and stay as they are; on a dark one they are lightened as
  // far as body text needs (4.5:1).
  const bool dark = Luminance(background) < 0.18;
  const double readable = dark ? 4.5 : 3.0;
  if (ContrastRatio(named, background) >= readable) return named;
  // Lighter on a dark background, darker on a light one, in hue and
  // saturation the same: red still reads as red, not as pink.
  const float step = dark ? 0.025f : -0.025f;
  float hue = 0, saturation = 0, lightness = 0;
  named.getHslF(&hue, &saturation, &lightness);
  QColor shade = named;
  while (ContrastRatio(shade, background) < readable && lightness + step >= 0 && lightness + step <= 1) {
    lightness += step;
    shade = QColor::fromHslF(hue, saturation, lightness);
  }
  return shade;
}

}  // namespace quillory
