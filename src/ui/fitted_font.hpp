// Fitting a one-line text into a given width by narrowing its font.
#pragma once

#include <QFont>
#include <QString>

namespace selko::ui {

// The whole pixels that `text` takes on one line in `font`: glyphs are placed at fractional
// advances, so this is their sum rounded up (the rounded advance of QFontMetrics can be a pixel
// short and cut off the edge of the last letter).
int TextWidth(const QFont& font, const QString& text);

// The font in which `text` is at most `width` pixels wide (by TextWidth): `font` itself where the
// text already fits; otherwise the same family and weight condensed just as far as needed, down to
// half width, and only past that (or where the platform cannot condense) made smaller as well. A
// text that fits at no size gets the smallest font tried.
QFont FittedFont(const QFont& font, const QString& text, int width);

} // namespace selko::ui
