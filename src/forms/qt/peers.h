// What the Qt toolkit's files share: the peer base that ties a widget to its control, the peers'
// makers, and the twips layout.
#pragma once

#include <QObject>
#include <QWidget>
#include <memory>

#include "forms/controls.h"
#include "forms/pixels.h"
#include "forms/toolkit.h"

namespace forms::qt {

// Notes which control a widget shows, for as long as the peer lives.
void Register(const Control& control, QWidget* widget);
void Unregister(const Control& control, QWidget* widget);

// A peer over one widget. Connections from the widget's signals use context() as their receiver,
// so that none reaches a control once its peer is gone.
template <class Interface>
class WidgetPeer : public Interface {
  public:
    WidgetPeer(const Control& control, QWidget* widget) : control_(control), widget_(widget) {
        Register(control, widget);
        widget->setObjectName(QString::fromStdString(control.Name()));
        if (!control.AccessibleName().empty()) {
            widget->setAccessibleName(QString::fromStdString(control.AccessibleName()));
        }
        widget->setEnabled(control.Enabled());
    }
    ~WidgetPeer() override { Unregister(control_, widget_); }

    void SetEnabled(bool enabled) override { widget_->setEnabled(enabled); }
    void SetFocus() override { widget_->setFocus(); }

  protected:
    const QObject* context() const { return &context_; }

    const Control& control_;
    QWidget* widget_;

  private:
    QObject context_;
};

// Places a widget at the control's twips, or at a rectangle in pixels, relative to its window.
void PlaceTwips(QWidget* widget, const Twips& place);
void PlacePixels(QWidget* widget, const PixelRect& area);
// Gives a window the font its twips layout was made for.
void UseLayoutFont(QWidget* window);

std::unique_ptr<CaptionPeer> MakeButtonPeer(CommandButton& button, QWidget* window);
std::unique_ptr<TextPeer> MakeTextPeer(TextBox& box, QWidget* window);
std::unique_ptr<CaptionPeer> MakeLabelPeer(Label& label, QWidget* window);
std::unique_ptr<ControlPeer> MakeLinePeer(Line& line, QWidget* window);
std::unique_ptr<ControlPeer> MakeImagePeer(Image& image, QWidget* window);
std::unique_ptr<ListPeer> MakeListBoxPeer(ListBox& list, QWidget* window);
std::unique_ptr<ListPeer> MakeFileListPeer(FileListBox& list, QWidget* window);
std::unique_ptr<ListPeer> MakeFolderListPeer(DirListBox& list, QWidget* window);
std::unique_ptr<ListPeer> MakeDriveListPeer(DriveListBox& list, QWidget* window);

}  // namespace forms::qt
