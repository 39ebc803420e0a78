// The small pictures of the folder and drive lists, drawn with GDI on a grid of 16 by 16 that is
// scaled to the picture's size: the program carries no image files of its own beyond its icon,
// and drawn pictures stay sharp at every dpi.
#include <initializer_list>
#include <vector>

#include "forms/win32/peers.h"

namespace forms::win32 {
namespace {

constexpr COLORREF kFolderEdge = RGB(156, 107, 0);
constexpr COLORREF kFolderBack = RGB(232, 184, 72);
constexpr COLORREF kFolderFront = RGB(255, 221, 128);
constexpr COLORREF kFolderShine = RGB(255, 240, 184);
constexpr COLORREF kDriveEdge = RGB(64, 64, 64);
constexpr COLORREF kDriveBody = RGB(212, 208, 200);
constexpr COLORREF kDriveSlot = RGB(96, 96, 96);
constexpr COLORREF kLightOn = RGB(0, 192, 0);
constexpr COLORREF kLightOff = RGB(128, 128, 128);
constexpr COLORREF kEmptyBody = RGB(236, 234, 230);

struct GridPoint {
    int x;
    int y;
};

// Draws on one picture's area, grid units in, device pixels out; every pen and brush it makes
// is deleted when it goes.
class Grid {
  public:
    Grid(HDC dc, const RECT& area) : dc_(dc), area_(area) {}
    ~Grid() {
        for (HGDIOBJ object : made_) DeleteObject(object);
    }
    Grid(const Grid&) = delete;
    Grid& operator=(const Grid&) = delete;

    void Shape(std::initializer_list<GridPoint> corners, COLORREF fill, COLORREF edge) {
        std::vector<POINT> points;
        for (const GridPoint& corner : corners) points.push_back(At(corner));
        Use(fill, edge);
        Polygon(dc_, points.data(), static_cast<int>(points.size()));
    }
    void Box(GridPoint top_left, GridPoint bottom_right, COLORREF fill, COLORREF edge) {
        const POINT from = At(top_left);
        const POINT to = At(bottom_right);
        Use(fill, edge);
        Rectangle(dc_, from.x, from.y, to.x + 1, to.y + 1);
    }
    void Stroke(GridPoint from, GridPoint to, COLORREF colour) {
        Use(colour, colour);
        const POINT start = At(from);
        const POINT end = At(to);
        MoveToEx(dc_, start.x, start.y, nullptr);
        LineTo(dc_, end.x, end.y);
    }

  private:
    POINT At(GridPoint point) const {
        const int size = area_.right - area_.left;
        return {area_.left + point.x * size / 16, area_.top + point.y * size / 16};
    }
    void Use(COLORREF fill, COLORREF edge) {
        const HGDIOBJ brush = CreateSolidBrush(fill);
        const HGDIOBJ pen = CreatePen(PS_SOLID, 1, edge);
        made_.push_back(brush);
        made_.push_back(pen);
        SelectObject(dc_, brush);
        SelectObject(dc_, pen);
    }

    HDC dc_;
    RECT area_;
    std::vector<HGDIOBJ> made_;
};

// Puts the device context's own pen and brush back before the grid deletes its own.
class KeptTools {
  public:
    explicit KeptTools(HDC dc)
        : dc_(dc),
          pen_(SelectObject(dc, GetStockObject(BLACK_PEN))),
          brush_(SelectObject(dc, GetStockObject(WHITE_BRUSH))) {}
    ~KeptTools() {
        SelectObject(dc_, pen_);
        SelectObject(dc_, brush_);
    }
    KeptTools(const KeptTools&) = delete;
    KeptTools& operator=(const KeptTools&) = delete;

  private:
    HDC dc_;
    HGDIOBJ pen_;
    HGDIOBJ brush_;
};

}  // namespace

void DrawFolder(HDC dc, const RECT& area, bool open) {
    const KeptTools kept(dc);
    Grid grid(dc, area);
    if (open) {
        grid.Shape({{1, 3}, {6, 3}, {7, 4}, {13, 4}, {13, 7}, {3, 7}, {1, 13}}, kFolderBack,
                   kFolderEdge);
        grid.Shape({{3, 7}, {15, 7}, {13, 13}, {1, 13}}, kFolderFront, kFolderEdge);
        grid.Stroke({4, 8}, {14, 8}, kFolderShine);
    } else {
        grid.Shape({{1, 3}, {6, 3}, {7, 4}, {14, 4}, {14, 13}, {1, 13}}, kFolderFront, kFolderEdge);
        grid.Stroke({2, 5}, {14, 5}, kFolderShine);
    }
}

void DrawDrive(HDC dc, const RECT& area, bool ready) {
    const KeptTools kept(dc);
    Grid grid(dc, area);
    grid.Box({1, 5}, {14, 11}, ready ? kDriveBody : kEmptyBody, kDriveEdge);
    grid.Stroke({3, 8}, {9, 8}, ready ? kDriveSlot : kLightOff);
    grid.Box({11, 8}, {12, 9}, ready ? kLightOn : kLightOff, ready ? kLightOn : kLightOff);
}

}  // namespace forms::win32
