#include "forms/message_box.h"

#include "forms/toolkit.h"

namespace forms {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

void MsgBox(const std::string& text, const std::string& title) {
    const std::string shown_title = title.empty() ? kApplicationTitle : title;
    if (Handler()) {
        Handler()(text, shown_title);
    } else {
        toolkit::ShowMessageBox(text, shown_title);
    }
}

bool MessageBoxesReachTheUser() {
    return Handler() || toolkit::MessageBoxesReachTheUser();
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace forms
