#include "forms/message_box.h"

#include <QApplication>
#include <QMessageBox>

namespace forms {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

void ShowModalBox(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
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

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }

}  // namespace forms
