#include "forms/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

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

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace forms
