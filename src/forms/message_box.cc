#include "forms/message_box.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace forms {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

void ShowModalBox(const QString& text, const QString& title) {
    const QPointer<QWidget> owner = QApplication::activeWindow();
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    // No icon anywhere in the box, also none that some desktop styles put on its OK button.
    box.button(QMessageBox::Ok)->setIcon(QIcon());
    box.exec();
    // Windows gives the activation back to the box's owner; not every X11 window manager does,
    // and without it the owner's controls would take no keys until the user clicks there.
    if (owner != nullptr) owner->activateWindow();
}

}  // namespace

void MsgBox(const QString& text, const QString& title) {
    const QString shown_title = title.isEmpty() ? kApplicationTitle : title;
    if (Handler()) {
        Handler()(text, shown_title);
    } else {
        ShowModalBox(text, shown_title);
    }
}

bool MessageBoxesReachTheUser() {
    const QString platform = QGuiApplication::platformName();
    return Handler() || (platform != QLatin1String("offscreen") &&
                         platform != QLatin1String("minimal"));
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace forms
