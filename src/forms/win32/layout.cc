// The twips layout on Win32: positions scaled with the screen's logical dpi, the font the layout
// was made for, and the program icon at the sizes the windows ask for.
#include <algorithm>
#include <cmath>
#include <map>

#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

int LogicalDpi() {
    static const int dpi = [] {
        const HDC screen = GetDC(nullptr);
        const int logical = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
        ReleaseDC(nullptr, screen);
        return logical > 0 ? logical : 96;
    }();
    return dpi;
}

}  // namespace

int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips * LogicalDpi() / 1440.0));
}

int Scaled(int pixels_at_96_dpi) {
    return TwipsToPixels(pixels_at_96_dpi * 15);
}

int SmallIconPixels() {
    return Scaled(16);
}

HINSTANCE Module() {
    return GetModuleHandleW(nullptr);
}

HICON ProgramIcon(int pixels) {
    static std::map<int, HICON> icons;
    const auto kept = icons.find(pixels);
    if (kept != icons.end()) return kept->second;
    const auto icon = static_cast<HICON>(
        LoadImageW(Module(), MAKEINTRESOURCEW(1), IMAGE_ICON, pixels, pixels, LR_DEFAULTCOLOR));
    icons[pixels] = icon;
    return icon;
}

// MS Sans Serif, 8 points: the bitmap font whose dialog units the twips were laid out in, 13
// pixels high at 96 dpi.
HFONT LayoutFont() {
    static const HFONT font = [] {
        LOGFONTW description{};
        description.lfHeight = -MulDiv(8, LogicalDpi(), 72);
        description.lfWeight = FW_NORMAL;
        description.lfCharSet = DEFAULT_CHARSET;
        description.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
        lstrcpynW(description.lfFaceName, L"MS Sans Serif", LF_FACESIZE);
        return CreateFontIndirectW(&description);
    }();
    return font;
}

int ListRowHeight() {
    static const int height = [] {
        const HDC screen = GetDC(nullptr);
        const HGDIOBJ previous = SelectObject(screen, LayoutFont());
        TEXTMETRICW metrics{};
        GetTextMetricsW(screen, &metrics);
        SelectObject(screen, previous);
        ReleaseDC(nullptr, screen);
        return std::max(static_cast<int>(metrics.tmHeight), SmallIconPixels()) + Scaled(2);
    }();
    return height;
}

}  // namespace forms::win32
