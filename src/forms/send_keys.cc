#include "forms/send_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <map>

namespace forms {
namespace {

int KeyOfName(const QString& name) {
    static const std::map<QString, int> keys = {
        {"HOME", Qt::Key_Home},     {"END", Qt::Key_End},
        {"LEFT", Qt::Key_Left},     {"RIGHT", Qt::Key_Right},
        {"UP", Qt::Key_Up},         {"DOWN", Qt::Key_Down},
        {"DELETE", Qt::Key_Delete}, {"BACKSPACE", Qt::Key_Backspace},
        {"ENTER", Qt::Key_Return},  {"ESC", Qt::Key_Escape},
        {"TAB", Qt::Key_Tab},
    };
    const auto found = keys.find(name.toUpper());
    return found == keys.end() ? 0 : found->second;
}

void PostKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, modifiers, text));
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, key, modifiers, text));
}

}  // namespace

void SendKeys(const QString& keys) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        return;
    }
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == '+') {
            modifiers |= Qt::ShiftModifier;
            continue;
        }
        if (keys[i] == '{') {
            const qsizetype close = keys.indexOf('}', i + 1);
            if (close > i) {
                PostKey(target, KeyOfName(keys.mid(i + 1, close - i - 1)), modifiers, QString());
                i = close;
                modifiers = Qt::NoModifier;
                continue;
            }
        }
        PostKey(target, keys[i].unicode(), modifiers, QString(keys[i]));
        modifiers = Qt::NoModifier;
    }
}

}  // namespace forms
