// The decorative picture (Image1): a coloured fractal tree drawn at start-up.
#pragma once

#include <QColor>
#include <QImage>

namespace selko::ui {

// A 24-bit picture of the given size: a Pythagoras tree on the background colour.
QImage FractalPicture(int width, int height, const QColor& background);

} // namespace selko::ui
