// The decorative picture (Image1): a Pythagoras tree. Every square carries two smaller squares
// on the sides of a right triangle set on its top edge; the colours run from the trunk's brown
// through orange to the green of the leaves.
#include "ui/fractal_picture.hpp"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace selko::ui {

namespace {

constexpr int kDepth = 12;
constexpr double kAngle = 0.6435011087932844; // the smaller angle of the 3-4-5 triangle

QColor LevelColour(int level) {
  const double t = static_cast<double>(level) / kDepth;
  // brown -> orange -> green, a little lighter towards the leaves
  const QColor trunk(110, 60, 25), middle(215, 110, 30), leaves(40, 150, 60);
  const auto mix = [](const QColor& a, const QColor& b, double u) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * u),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * u),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * u));
  };
  return t < 0.5 ? mix(trunk, middle, t * 2) : mix(middle, leaves, (t - 0.5) * 2);
}

// The square standing on the edge p -> q (it lies to the left of the edge seen from p, with y
// pointing down), and the apex of the right triangle on its top edge s -> r.
struct Square {
  QPointF p, q, r, s, apex;
};

Square SquareOn(QPointF p, QPointF q) {
  const QPointF edge = q - p;
  const QPointF up(edge.y(), -edge.x());
  Square square{p, q, q + up, p + up, {}};
  const double c = std::cos(kAngle), sn = std::sin(kAngle);
  const QPointF top = square.r - square.s;
  square.apex = square.s + top * (c * c) + QPointF(top.y(), -top.x()) * (c * sn);
  return square;
}

// Visits every square of the tree standing on p -> q, trunk first.
template <typename Visit> void Grow(QPointF p, QPointF q, int level, const Visit& visit) {
  const Square square = SquareOn(p, q);
  visit(square, level);
  if (level >= kDepth) return;
  Grow(square.s, square.apex, level + 1, visit);
  Grow(square.apex, square.r, level + 1, visit);
}

} // namespace

QImage FractalPicture(int width, int height, const QColor& background) {
  QImage canvas(width, height, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(background);
  QPainter painter(&canvas);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(background.darker(115), 0.6));

  // Measure the tree on a trunk of side 1, then scale and place it to fill the picture.
  QRectF bounds;
  Grow(QPointF(0, 0), QPointF(1, 0), 0, [&bounds](const Square& square, int) {
    bounds |= QPolygonF({square.p, square.q, square.r, square.s}).boundingRect();
  });
  const double margin = 0.04;
  const double scale = std::min(width * (1 - 2 * margin) / bounds.width(),
                                height * (1 - 2 * margin) / bounds.height());
  const QPointF offset(width / 2.0 - (bounds.left() + bounds.width() / 2) * scale,
                       height * (1 - margin) - bounds.bottom() * scale);
  Grow(offset, offset + QPointF(scale, 0), 0, [&painter](const Square& square, int level) {
    painter.setBrush(LevelColour(level));
    painter.drawPolygon(QPolygonF({square.p, square.q, square.r, square.s}));
  });
  painter.end();
  return canvas.convertToFormat(QImage::Format_RGB888);
}

} // namespace selko::ui
