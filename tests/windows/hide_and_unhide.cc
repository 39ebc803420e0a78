// Hide and Unhide on Windows without the windows: the steps the first-start dialog, the main
// window and the hidden-items window take, one per run, so that a test can look at the machine
// between them (tests/windows/hide-and-unhide-test).
//
//   hide_and_unhide set-password <password>   as the first-start dialog stores it
//   hide_and_unhide hide <path> <drive>       as Hide in the main window, drive as "c:"
//   hide_and_unhide unhide <path>             as Unhide of the item listed with that path
//
// Prints the outcome's message, if any, and exits with 0 when the step did what it was asked.
// Arguments come in the ANSI code page, as the system hands them to main.
#include "hiding/hide.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "hiding/recovery.h"
#include "hiding/unhide.h"
#include "password/password_store.h"
#include "platform/code_page.h"
#include "platform/machine.h"
#include "platform/registry.h"
#include "platform/windows_error.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: hide_and_unhide set-password <password> | hide <path> <drive> | "
                 "unhide <path>\n");
    return 2;
}

int Say(bool done, const std::string& message) {
    if (!message.empty()) std::printf("%s\n", message.c_str());
    return done ? 0 : 1;
}

int SetPassword(const std::string& password) {
    const std::optional<std::string> check_value = password::ComputeCheckValue(password);
    if (!check_value) return Say(false, "The password is too long for its check value.");
    platform::HKEY key = nullptr;
    platform::RegCreateKeyA(platform::HKEY_LOCAL_MACHINE, password::kPasswordKey, &key);
    password::StoreCheckValue(*check_value);
    platform::RegCloseKey(key);
    return Say(true, "The check value " + *check_value + " is stored.");
}

int HideItem(const std::string& path, const std::string& drive) {
    const hiding::HideOutcome outcome = hiding::Hide(path, drive);
    const bool hidden = outcome.result == hiding::HideOutcome::Result::kHidden;
    return Say(hidden, outcome.message.empty() && !hidden ? "The move failed." : outcome.message);
}

int UnhideItem(const std::string& path) {
    const std::vector<hiding::HiddenItemRecord> records = hiding::ListHiddenItems();
    for (int position = 0; position < static_cast<int>(records.size()); ++position) {
        if (records[position].item_path() != path) continue;
        const hiding::UnhideOutcome outcome =
            hiding::Unhide(position, records[position].item_name(), path);
        return Say(outcome.result == hiding::UnhideOutcome::Result::kUnhidden, outcome.message);
    }
    return Say(false, path + " is not in the list of hidden items.");
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(platform::FromAnsi(argv[i]));
    try {
        platform::PrepareMachine();
        if (arguments.size() == 2 && arguments[0] == "set-password") {
            return SetPassword(arguments[1]);
        }
        if (arguments.size() == 3 && arguments[0] == "hide") {
            return HideItem(arguments[1], arguments[2]);
        }
        if (arguments.size() == 2 && arguments[0] == "unhide") return UnhideItem(arguments[1]);
    } catch (const platform::WindowsError& error) {
        return Say(false, error.what());
    }
    return Usage();
}
