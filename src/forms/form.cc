#include "forms/form.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>

#include "forms/twips.h"

namespace forms {
namespace {

int loaded_forms = 0;

std::function<void()>& OnLastFormUnloaded() {
    static std::function<void()> on_last = [] { QCoreApplication::quit(); };
    return on_last;
}

Qt::WindowFlags FlagsOf(Form::Border border) {
    switch (border) {
        case Form::Border::kFixedDialog:
            // A tool window has no taskbar entry; the hints leave it only a close box.
            return Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint;
        case Form::Border::kFixedSingle:
            return Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint;
        case Form::Border::kSizable:
            break;
    }
    return Qt::Window;
}

}  // namespace

Form::Form(const QString& caption, int client_width_twips, int client_height_twips, Border border)
    : QWidget(nullptr, FlagsOf(border)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(caption);
    UseLayoutFont(this);
    setWindowIcon(QIcon(QStringLiteral(":/tessarn/tessarn.png")));
    const QSize client(TwipsToPixels(client_width_twips), TwipsToPixels(client_height_twips));
    if (border == Border::kSizable) {
        resize(client);
    } else {
        setFixedSize(client);
    }
}

void Form::Load() {
    ++loaded_forms;
    Form_Load();
}

void Form::Show() {
    if (!centred_) {
        centred_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame(QPoint(), size());
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    // A window shown anew comes up on top by itself; one already showing is brought forward.
    const bool already_showing = isVisible();
    show();
    if (already_showing) {
        raise();
    }
    activateWindow();
}

void Form::Unload() {
    unloading_ = true;
    close();
    unloading_ = false;
}

void Form::closeEvent(QCloseEvent* event) {
    if (unloaded_) {
        event->accept();
        return;
    }
    // A disabled window waits for the window it opened; on Windows its close box does nothing
    // then, but an X11 window manager still offers to close it, which would leave the open
    // window to re-enable a main window that no longer exists. Only the program unloads it.
    if (!isEnabled() && !unloading_) {
        event->ignore();
        return;
    }
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
    // The instance is forgotten now, not when Qt deletes the widget later, so that a use of the
    // window class from here on builds a fresh window from design-time state.
    unloaded_ = true;
    forget_instance_();
    if (--loaded_forms == 0 && OnLastFormUnloaded()) {
        OnLastFormUnloaded()();
    }
}

void Form::SetDefaultButton(QPushButton* button) {
    default_button_ = button;
    button->setDefault(true);
}

void Form::SetCancelButton(QPushButton* button) {
    cancel_button_ = button;
}

void Form::keyPressEvent(QKeyEvent* event) {
    // Keys reach the window only when the focused control has no use for them: a text box passes
    // Enter and Esc on, and a button outside a QDialog does not press itself on Enter. On Windows
    // Enter presses the focused button in every window, and the default button, where there is
    // one, while the focus is elsewhere.
    const bool plain = event->modifiers() == Qt::NoModifier;
    const bool keypad = event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && (plain || keypad)) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* pressed = focused != nullptr ? focused : default_button_;
        if (pressed == nullptr) {
            QWidget::keyPressEvent(event);
            return;
        }
        if (pressed->isVisible() && pressed->isEnabled()) pressed->click();
        return;
    }
    if (event->matches(QKeySequence::Cancel) && cancel_button_ != nullptr) {
        if (cancel_button_->isVisible() && cancel_button_->isEnabled()) cancel_button_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

int LoadedFormCount() {
    return loaded_forms;
}

void SetOnLastFormUnloaded(std::function<void()> on_last) {
    OnLastFormUnloaded() = std::move(on_last);
}

}  // namespace forms
