// Where a control lies on the screen, decided here once for every toolkit: from the design's
// twips, with the toolkit's own scale to pixels (its TwipsToPixels, which follows the screen's
// logical dpi), the rectangle of a control, of a line, and of a label fitted to its caption.
#pragma once

namespace forms {

class Label;
class Line;
struct Twips;

// In pixels of the window's client area.
struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
    int width;
    int height;
};

using TwipsScale = int (*)(int twips);

PixelRect PixelsOfPlace(const Twips& place, TwipsScale to_pixels);

// A wide pen spreads below a horizontal line and to the right of a vertical one, so that a thin
// line placed at the same height lies on the wide one's upper edge.
PixelRect PixelsOfLine(const Line& line, TwipsScale to_pixels);

// A label with a caption of `text`'s size (as the toolkit draws it, an access key's "&" left
// out). An auto-sized label takes the size of its text. Any other label that does not wrap grows
// to the right as far as its text needs, so that a font a little wider than the one the window
// was laid out for does not clip its last word; but never over the control it names beside it,
// whichever of the two the toolkit stacks on top.
PixelRect FittedLabel(const Label& label, PixelSize text, TwipsScale to_pixels);

}  // namespace forms
