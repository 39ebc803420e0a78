// The rest of the toolkit on Qt: the message box, posted keystrokes, posted tasks, the end of the
// event loop and the locale's comparison of texts.
#include "forms/toolkit.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QWidget>

#include "forms/send_keys.h"

namespace forms::toolkit {
namespace {

struct QtKeystroke {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

QtKeystroke ToQt(const Keystroke& stroke) {
    const Qt::KeyboardModifiers modifiers = stroke.shift ? Qt::ShiftModifier : Qt::NoModifier;
    switch (stroke.key) {
        case Key::kCharacter: {
            const QString text = QString::fromUcs4(&stroke.character, 1);
            return {static_cast<int>(stroke.character), modifiers, text};
        }
        case Key::kHome:
            return {Qt::Key_Home, modifiers, {}};
        case Key::kEnd:
            return {Qt::Key_End, modifiers, {}};
        case Key::kLeft:
            return {Qt::Key_Left, modifiers, {}};
        case Key::kRight:
            return {Qt::Key_Right, modifiers, {}};
        case Key::kUp:
            return {Qt::Key_Up, modifiers, {}};
        case Key::kDown:
            return {Qt::Key_Down, modifiers, {}};
        case Key::kDelete:
            return {Qt::Key_Delete, modifiers, {}};
        case Key::kBackspace:
            return {Qt::Key_Backspace, modifiers, {}};
        case Key::kEnter:
            return {Qt::Key_Return, modifiers, {}};
        case Key::kEsc:
            return {Qt::Key_Escape, modifiers, {}};
        case Key::kTab:
            return {Qt::Key_Tab, modifiers, {}};
        case Key::kSpace:
            return {Qt::Key_Space, modifiers, QStringLiteral(" ")};
    }
    return {0, modifiers, {}};
}

void PostTo(QWidget* target, const std::vector<QtKeystroke>& strokes) {
    for (const QtKeystroke& k : strokes) {
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyPress, k.key, k.modifiers, k.text));
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyRelease, k.key, k.modifiers, k.text));
    }
}

}  // namespace

void ShowMessageBox(const std::string& text, const std::string& title) {
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                    QString::fromStdString(text), QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    // No icon anywhere in the box, also none that some desktop styles put on its OK button.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
    // Windows gives the activation back to the box's owner; not every X11 window manager does,
    // and without it the owner's controls would take no keys until the user clicks there.
    if (owner != nullptr) owner->activateWindow();
}

bool MessageBoxesReachTheUser() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void PostKeystrokes(const std::vector<Keystroke>& keystrokes) {
    std::vector<QtKeystroke> strokes;
    for (const Keystroke& stroke : keystrokes) strokes.push_back(ToQt(stroke));
    if (QWidget* target = QApplication::focusWidget()) {
        PostTo(target, strokes);
        return;
    }
    // No control has the focus while the system moves it between windows, as just after a
    // message box has closed and before its owner is active again. Typed keys would reach the
    // control that takes the focus next, and so do these.
    auto* once = new QMetaObject::Connection;
    *once = QObject::connect(qApp, &QApplication::focusChanged, qApp,
                             [once, strokes = std::move(strokes)](QWidget*, QWidget* now) {
                                 if (now == nullptr) return;
                                 PostTo(now, strokes);
                                 QObject::disconnect(*once);
                                 delete once;
                             });
}

void Post(std::function<void()> task) {
    QMetaObject::invokeMethod(qApp, std::move(task), Qt::QueuedConnection);
}

void EndProgram() {
    QCoreApplication::quit();
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
    const QString folded_a = QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size()));
    const QString folded_b = QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size()));
    return QString::localeAwareCompare(folded_a.toCaseFolded(), folded_b.toCaseFolded()) == 0;
}

}  // namespace forms::toolkit
