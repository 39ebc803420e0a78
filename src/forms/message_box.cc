#include "forms/message_box.h"

#include "forms/toolkit.h"

namespace forms {
namespace {

MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}

int& OpenBoxes() {
    static int open = 0;
    return open;
}

// Counts the box as open until it closes, however it returns.
struct OpenBox {
    OpenBox() { ++OpenBoxes(); }
    ~OpenBox() { --OpenBoxes(); }
    OpenBox(const OpenBox&) = delete;
    OpenBox& operator=(const OpenBox&) = delete;
};

}  // namespace

void MsgBox(const std::string& text, const std::string& title) {
    const std::string shown_title = title.empty() ? kApplicationTitle : title;
    const OpenBox open;
    if (Handler()) {
        Handler()(text, shown_title);
    } else {
        toolkit::ShowMessageBox(text, shown_title);
    }
}

bool MessageBoxOpen() {
    return OpenBoxes() > 0;
}

bool MessageBoxesReachTheUser() {
    return Handler() || toolkit::MessageBoxesReachTheUser();
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

}  // namespace forms
