#include "forms/line.h"

#include <QPainter>
#include <algorithm>

#include "forms/twips.h"

namespace forms {

Line::Line(QWidget* parent, const QColor& colour, int width_pixels)
    : QFrame(parent), colour_(colour), width_(std::max(1, width_pixels)) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::PlaceTwips(int x1, int y1, int x2, int y2) {
    const int left = TwipsToPixels(std::min(x1, x2));
    const int top = TwipsToPixels(std::min(y1, y2));
    // A wide pen spreads below a horizontal line and to the right of a vertical one, so that
    // a thin line placed at the same height lies on the wide one's upper edge.
    setGeometry(left, top, TwipsToPixels(std::max(x1, x2)) - left + width_,
                TwipsToPixels(std::max(y1, y2)) - top + width_);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colour_);
}

}  // namespace forms
