#include "forms/given_items.h"

#include <optional>
#include <utility>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "hiding/hiding_places.h"
#include "platform/file_system.h"
#include "platform/given_path.h"
#include "platform/text_case.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace forms {
namespace {

std::vector<std::string>& StartPaths() {
    static std::vector<std::string> paths;
    return paths;
}

// The message waits for the event that brought the items to end: the main window is shown by
// then, and a file manager's drag is finished, which a modal box inside the drop would hold up.
void SayOnceShown(const std::string& text) {
    if (text.empty()) return;
    toolkit::Post([text] { MsgBox(text); });
}

int FileIndex(const FileListBox& files, const std::string& name) {
    const std::vector<std::string>& entries = files.Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == name) return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (platform::EqualIgnoringCase(entries[i], name)) return static_cast<int>(i);
    }
    return -1;
}

// Moves the browser to an item that exists. Nothing when it got there, else what kept it away.
std::optional<std::string> GoTo(Form1& window, const std::string& item) {
    // The lists never show a hiding place's contents, which only Unhide may touch.
    if (hiding::InAHidingPlace(item)) {
        return "Cannot show " + item + ": it lies in a hiding place, which only Unhide reaches.";
    }
    std::optional<platform::WindowsPath> folder = platform::ParseWindowsPath(item);
    if (!folder) return "Cannot show " + item + ": it is no Windows path.";
    std::string name;
    if (!platform::FolderExists(item)) {
        name = folder->components.back();
        folder->components.pop_back();
    }

    const std::string before = window.Dir1.Path();
    try {
        window.Drive1.SetDrive(item);
        window.Dir1.SetPath(platform::FormatWindowsPath(*folder));
        // The folder shown already raised no Change: the file list is read anew all the same,
        // for a file made since, and Text1 names the folder as Dir1_Change would.
        if (window.Dir1.Path() == before) {
            window.File1.SetPath(window.Dir1.Path());
            window.Text1.SetText(window.Dir1.Path());
        }
    } catch (const platform::WindowsError& error) {
        return error.what();
    }
    if (name.empty()) return std::nullopt;
    const int index = FileIndex(window.File1, name);
    if (index >= 0) {
        window.File1.SetListIndex(index);
    } else {
        // A hidden file is in no list; Text1 holds it as if the user had typed its path.
        window.Text1.SetText(item);
    }
    return std::nullopt;
}

// Takes the main window to the first of the given items; returns what the user is to be told.
std::string Open(Form1& window, const std::vector<std::string>& given) {
    std::string told;
    const platform::GivenItem item = platform::ItemOfGivenPath(given.front());
    switch (item.found) {
        case platform::GivenItem::Found::kMissing:
            told = "Cannot find " + given.front() + ": there is no such file or folder.";
            break;
        case platform::GivenItem::Found::kOnNoDrive:
            told = "Cannot show " + given.front() +
                   ": it lies on no drive, or a name in its path cannot be written in a Windows "
                   "path.";
            break;
        case platform::GivenItem::Found::kOnDrive:
            told = GoTo(window, item.path).value_or("");
            break;
    }
    if (given.size() > 1) {
        if (!told.empty()) told += '\n';
        told += "Tessarn takes one item at a time: of the " + std::to_string(given.size()) +
                " items, only the first was taken.";
    }
    return told;
}

}  // namespace

void SetStartPaths(std::vector<std::string> paths) {
    StartPaths() = std::move(paths);
}

void OpenStartItem(Form1& window) {
    if (StartPaths().empty()) return;
    const std::vector<std::string> given = std::exchange(StartPaths(), {});
    SayOnceShown(Open(window, given));
}

bool IsDropTarget(const Form& form) {
    return dynamic_cast<const Form1*>(&form) != nullptr;
}

bool TakesDrops(const Form& form) {
    // A message box is a window over it too: a drop taken then would move the browser under a
    // box that still speaks of where it was.
    return IsDropTarget(form) && form.Loaded() && form.Enabled() && !MessageBoxOpen();
}

void UserDropped(Form& form, const std::vector<std::string>& paths) {
    if (paths.empty() || !TakesDrops(form)) return;
    SayOnceShown(Open(static_cast<Form1&>(form), paths));
}

}  // namespace forms
