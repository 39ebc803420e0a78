// The Qt widgets behind the model's forms and controls, for Qt code outside the toolkit itself:
// main(), the tests' user driver, the screenshot tour and the window benchmarks.
#pragma once

class QWidget;

namespace forms {
class Control;
class Form;
}  // namespace forms

namespace forms::qt {

// The widget that shows a control, or its window; null while its form is not loaded.
QWidget* WidgetOf(const Control& control);
QWidget* WindowOf(const Form& form);
// The control a widget shows; null for any other widget.
Control* ControlOf(const QWidget* widget);

// Twips to pixels on this screen: 15 twips to a pixel at 96 dpi, scaled with the screen's
// logical dpi.
int TwipsToPixels(int twips);

}  // namespace forms::qt
