// The twips layout on Qt: positions scaled with the screen's logical dpi, and the font the layout
// was made for.
#include <QFont>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

#include "forms/pixels.h"
#include "forms/qt/peers.h"
#include "forms/qt/widgets.h"

namespace forms::qt {

int TwipsToPixels(int twips) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

void PlaceTwips(QWidget* widget, const Twips& place) {
    PlacePixels(widget, PixelsOfPlace(place, TwipsToPixels));
}

void PlacePixels(QWidget* widget, const PixelRect& area) {
    widget->setGeometry(area.left, area.top, area.width, area.height);
}

// An 8-point sans-serif of Arial's width: the desktop's usual 10-point font runs labels under
// the boxes beside them and clips captions in the tight fixed dialogs.
void UseLayoutFont(QWidget* window) {
    QFont font = window->font();
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Nimbus Sans"), font.family()});
    font.setPointSize(8);
    window->setFont(font);
}

}  // namespace forms::qt
