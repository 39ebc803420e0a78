#include "forms/pixels.h"

#include <algorithm>

#include "forms/controls.h"
#include "forms/focus.h"

namespace forms {

PixelRect PixelsOfPlace(const Twips& place, TwipsScale to_pixels) {
    return {to_pixels(place.left), to_pixels(place.top), to_pixels(place.width),
            to_pixels(place.height)};
}

PixelRect PixelsOfLine(const Line& line, TwipsScale to_pixels) {
    const int pen = line.WidthPixels();
    const int left = to_pixels(std::min(line.X1(), line.X2()));
    const int top = to_pixels(std::min(line.Y1(), line.Y2()));
    return {left, top, to_pixels(std::max(line.X1(), line.X2())) - left + pen,
            to_pixels(std::max(line.Y1(), line.Y2())) - top + pen};
}

PixelRect FittedLabel(const Label& label, PixelSize text, TwipsScale to_pixels) {
    PixelRect area = PixelsOfPlace(label.Place(), to_pixels);
    if (label.AutoSize()) {
        area.width = text.width;
        area.height = text.height;
    } else if (!label.WordWrap()) {
        area.width = std::max(area.width, text.width);
    }
    if (const Control* named = NamedControl(label)) {
        const PixelRect other = PixelsOfPlace(named->Place(), to_pixels);
        const bool beside = area.left < other.left && area.right() > other.left &&
                            area.top < other.bottom() && area.bottom() > other.top;
        if (beside) area.width = other.left - area.left;
    }
    return area;
}

}  // namespace forms
