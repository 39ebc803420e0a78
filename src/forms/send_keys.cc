#include "forms/send_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <map>
#include <vector>

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

struct Keystroke {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

void PostKeys(QWidget* target, const std::vector<Keystroke>& strokes) {
    for (const Keystroke& k : strokes) {
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyPress, k.key, k.modifiers, k.text));
        QCoreApplication::postEvent(target,
                                    new QKeyEvent(QEvent::KeyRelease, k.key, k.modifiers, k.text));
    }
}

std::vector<Keystroke> Parse(const QString& keys) {
    std::vector<Keystroke> strokes;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        if (keys[i] == '+') {
            modifiers |= Qt::ShiftModifier;
            continue;
        }
        if (keys[i] == '{') {
            const qsizetype close = keys.indexOf('}', i + 1);
            if (close > i) {
                strokes.push_back({KeyOfName(keys.mid(i + 1, close - i - 1)), modifiers, {}});
                i = close;
                modifiers = Qt::NoModifier;
                continue;
            }
        }
        strokes.push_back({keys[i].unicode(), modifiers, QString(keys[i])});
        modifiers = Qt::NoModifier;
    }
    return strokes;
}

}  // namespace

void SendKeys(const QString& keys) {
    std::vector<Keystroke> strokes = Parse(keys);
    if (QWidget* target = QApplication::focusWidget()) {
        PostKeys(target, strokes);
        return;
    }
    // No control has the focus while the system moves it between windows, as just after a
    // message box has closed and before its owner is active again. Typed keys would reach the
    // control that takes the focus next, and so do these.
    auto* once = new QMetaObject::Connection;
    *once = QObject::connect(qApp, &QApplication::focusChanged, qApp,
                             [once, strokes = std::move(strokes)](QWidget*, QWidget* now) {
                                 if (now == nullptr) return;
                                 PostKeys(now, strokes);
                                 QObject::disconnect(*once);
                                 delete once;
                             });
}

}  // namespace forms
