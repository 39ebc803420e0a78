// A form's window on Qt: a top-level QWidget with the form's border, caption and icon, holding a
// widget per control, with the keyboard of a classic dialog (Enter, Esc) and the close box
// reported to the form.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <vector>

#include "forms/DirListBox.h"
#include "forms/DriveListBox.h"
#include "forms/FileListBox.h"
#include "forms/focus.h"
#include "forms/form.h"
#include "forms/qt/drops.h"
#include "forms/qt/peers.h"
#include "forms/qt/widgets.h"

namespace forms::qt {
namespace {

QHash<const Control*, QWidget*>& WidgetsOfControls() {
    static QHash<const Control*, QWidget*> widgets;
    return widgets;
}

QHash<const QWidget*, Control*>& ControlsOfWidgets() {
    static QHash<const QWidget*, Control*> controls;
    return controls;
}

Qt::WindowFlags FlagsOf(BorderStyle border) {
    switch (border) {
        case BorderStyle::kFixedDialog:
            // A tool window has no taskbar entry; the hints leave it only a close box.
            return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
        case BorderStyle::kFixedSingle:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint;
        case BorderStyle::kSizable:
            break;
    }
    return Qt::Window;
}

QPushButton* ButtonOf(const CommandButton* button) {
    return button == nullptr ? nullptr : static_cast<QPushButton*>(WidgetOf(*button));
}

class FormWindow : public QWidget {
  public:
    explicit FormWindow(Form& form) : QWidget(nullptr, FlagsOf(form.Border())), form_(form) {}

    // The form has unloaded: from here on the window only goes away.
    void MarkClosed() { closed_ = true; }

  protected:
    void closeEvent(QCloseEvent* event) override {
        if (closed_) {
            event->accept();
            return;
        }
        // A disabled window waits for the window it opened; on Windows its close box does
        // nothing then, but an X11 window manager still offers to close it. The form refuses.
        event->setAccepted(form_.UserClosing());
    }

    void keyPressEvent(QKeyEvent* event) override {
        // Keys reach the window only when the focused control has no use for them: a text box
        // passes Enter and Esc on, and a button outside a QDialog does not press itself on
        // Enter. On Windows Enter presses the focused button in every window, and the default
        // button, where there is one, while the focus is elsewhere.
        const bool plain = event->modifiers() == Qt::NoModifier;
        const bool keypad =
            event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter;
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            (plain || keypad)) {
            QPushButton* pressed = ButtonOf(ButtonForEnter(form_, ControlOf(focusWidget())));
            if (pressed == nullptr) {
                QWidget::keyPressEvent(event);
                return;
            }
            if (pressed->isVisible() && pressed->isEnabled()) pressed->click();
            return;
        }
        QPushButton* cancel = ButtonOf(form_.CancelButton());
        if (event->matches(QKeySequence::Cancel) && cancel != nullptr) {
            if (cancel->isVisible() && cancel->isEnabled()) cancel->click();
            return;
        }
        QWidget::keyPressEvent(event);
    }

  private:
    Form& form_;
    bool closed_ = false;
};

class FormWindowPeer : public FormPeer {
  public:
    explicit FormWindowPeer(Form& form) : window_(new FormWindow(form)) {
        window_->setWindowTitle(QString::fromStdString(form.Caption()));
        UseLayoutFont(window_);
        window_->setWindowIcon(QIcon(QStringLiteral(":/tessarn/tessarn.png")));
        window_->setEnabled(form.Enabled());
        const QSize client(TwipsToPixels(form.ClientWidth()), TwipsToPixels(form.ClientHeight()));
        if (form.Border() == BorderStyle::kSizable) {
            window_->resize(client);
        } else {
            window_->setFixedSize(client);
        }
    }
    // The window may be inside one of its own event handlers still; Qt deletes it after.
    ~FormWindowPeer() override {
        if (window_ != nullptr) window_->deleteLater();
    }

    FormWindow* window() const { return window_; }

    void SetCaption(const std::string& caption) override {
        window_->setWindowTitle(QString::fromStdString(caption));
    }
    void SetEnabled(bool enabled) override { window_->setEnabled(enabled); }

    void Show() override {
        if (!centred_) {
            centred_ = true;
            if (const QScreen* screen = QGuiApplication::primaryScreen()) {
                QRect frame(QPoint(), window_->size());
                frame.moveCenter(screen->availableGeometry().center());
                window_->move(frame.topLeft());
            }
        }
        // A window shown anew comes up on top by itself; one already showing is brought forward.
        const bool already_showing = window_->isVisible();
        window_->show();
        if (already_showing) window_->raise();
        window_->activateWindow();
    }

    void Close() override {
        window_->MarkClosed();
        window_->hide();
    }

  private:
    QPointer<FormWindow> window_;
    bool centred_ = false;
};

// Makes each control's peer. The controls drawn on the window's own surface (labels, lines, the
// icon) are noted, to be stacked beneath the others as a classic window draws them.
class PeerMaker : public ControlVisitor {
  public:
    explicit PeerMaker(QWidget* window) : window_(window) {}

    void Visit(CommandButton& control) override {
        control.Attach(MakeButtonPeer(control, window_));
    }
    void Visit(TextBox& control) override { control.Attach(MakeTextPeer(control, window_)); }
    void Visit(Label& control) override {
        control.Attach(MakeLabelPeer(control, window_));
        drawn_.push_back(WidgetOf(control));
    }
    void Visit(Line& control) override {
        control.Attach(MakeLinePeer(control, window_));
        drawn_.push_back(WidgetOf(control));
    }
    void Visit(Image& control) override {
        control.Attach(MakeImagePeer(control, window_));
        drawn_.push_back(WidgetOf(control));
    }
    void Visit(ListBox& control) override { control.Attach(MakeListBoxPeer(control, window_)); }
    void Visit(DriveListBox& control) override {
        control.Attach(MakeDriveListPeer(control, window_));
    }
    void Visit(DirListBox& control) override {
        control.Attach(MakeFolderListPeer(control, window_));
    }
    void Visit(FileListBox& control) override {
        control.Attach(MakeFileListPeer(control, window_));
    }

    // Beneath every other control, keeping their own order among themselves.
    void LowerDrawnControls() {
        for (auto drawn = drawn_.rbegin(); drawn != drawn_.rend(); ++drawn) (*drawn)->lower();
    }

  private:
    QWidget* window_;
    std::vector<QWidget*> drawn_;
};

}  // namespace

void Register(const Control& control, QWidget* widget) {
    WidgetsOfControls().insert(&control, widget);
    ControlsOfWidgets().insert(widget, const_cast<Control*>(&control));
}

void Unregister(const Control& control, QWidget* widget) {
    WidgetsOfControls().remove(&control);
    ControlsOfWidgets().remove(widget);
}

QWidget* WidgetOf(const Control& control) {
    return WidgetsOfControls().value(&control, nullptr);
}

QWidget* WindowOf(const Form& form) {
    const auto* peer = static_cast<const FormWindowPeer*>(form.Peer());
    return peer == nullptr ? nullptr : peer->window();
}

Control* ControlOf(const QWidget* widget) {
    return ControlsOfWidgets().value(widget, nullptr);
}

}  // namespace forms::qt

namespace forms::toolkit {

std::unique_ptr<FormPeer> MakeWindow(Form& form) {
    auto peer = std::make_unique<qt::FormWindowPeer>(form);
    qt::PeerMaker maker(peer->window());
    for (Control* control : form.Controls()) control->Accept(maker);
    maker.LowerDrawnControls();

    QWidget* previous = nullptr;
    for (const Control* control : FocusOrder(form)) {
        QWidget* widget = qt::WidgetOf(*control);
        if (previous != nullptr) QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    for (const Control* control : form.Controls()) {
        const auto* label = dynamic_cast<const Label*>(control);
        if (label == nullptr) continue;
        // A label with an access key passes the focus on; one without only names a control for a
        // screen reader.
        if (const Control* buddy = NamedControl(*label)) {
            static_cast<QLabel*>(qt::WidgetOf(*label))->setBuddy(qt::WidgetOf(*buddy));
        }
    }
    if (CommandButton* button = form.DefaultButton()) qt::ButtonOf(button)->setDefault(true);
    qt::AcceptDrops(form, peer->window());
    return peer;
}

}  // namespace forms::toolkit
