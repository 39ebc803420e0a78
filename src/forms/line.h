// A line control: a horizontal or vertical line of a given colour and pen width between two
// points given in twips, drawn on its window and taking no focus. Two lines drawn one over the
// other (white and two pixels wide beneath, grey above) make the etched separator of a dialog.
#pragma once

#include <QColor>
#include <QFrame>

namespace forms {

class Line : public QFrame {
    Q_OBJECT
  public:
    Line(QWidget* parent, const QColor& colour, int width_pixels = 1);

    // Places the line from (x1, y1) to (x2, y2), in twips relative to its window; the two ends
    // share a row or a column.
    void PlaceTwips(int x1, int y1, int x2, int y2);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor colour_;
    int width_;
};

}  // namespace forms
