// Condensing first keeps the letters' height, so a fitted word still reads at the size the
// layout chose; shrinking is the fall-back for very long texts and for platforms whose fonts
// ignore the stretch.
#include "ui/fitted_font.hpp"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>

namespace selko::ui {

namespace {

constexpr int kFullStretch = 100;
constexpr int kLeastStretch = 50;
constexpr int kLeastSize = 6; // pixels, or points for a font sized in points

} // namespace

int TextWidth(const QFont& font, const QString& text) {
  return static_cast<int>(std::ceil(QFontMetricsF(font).horizontalAdvance(text)));
}

QFont FittedFont(const QFont& font, const QString& text, int width) {
  const int natural = TextWidth(font, text);
  if (natural <= width || natural == 0) return font;

  // Start at the share of the width that fits, then narrow a step at a time: rounding of the
  // glyph advances can leave the proportional guess a pixel too wide.
  QFont fitted = font;
  const int base = font.stretch() == QFont::AnyStretch ? kFullStretch : font.stretch();
  const int least = std::min(kLeastStretch, base);
  const long long share = static_cast<long long>(base) * std::max(width, 0) / natural;
  fitted.setStretch(static_cast<int>(std::clamp<long long>(share, least, base)));
  while (TextWidth(fitted, text) > width && fitted.stretch() > least)
    fitted.setStretch(fitted.stretch() - 1);

  if (fitted.pixelSize() > 0) {
    while (TextWidth(fitted, text) > width && fitted.pixelSize() > kLeastSize)
      fitted.setPixelSize(fitted.pixelSize() - 1);
  } else {
    while (TextWidth(fitted, text) > width && fitted.pointSizeF() > kLeastSize)
      fitted.setPointSizeF(fitted.pointSizeF() - 1);
  }
  return fitted;
}

} // namespace selko::ui
