// Positions and sizes of the windows are given in twips (1/1440 inch): 15 twips to a pixel at
// 96 dpi, scaled with the screen's logical dpi.
#pragma once

class QWidget;

namespace forms {

int TwipsToPixels(int twips);

// Places a control at left, top, width, height given in twips, relative to its window.
void PlaceTwips(QWidget* control, int left, int top, int width, int height);

// Gives a window the font its twips layout was made for: an 8-point sans-serif of Arial's
// width. The desktop's usual 10-point font runs labels under the boxes beside them and clips
// captions in the tight fixed dialogs.
void UseLayoutFont(QWidget* window);

}  // namespace forms
