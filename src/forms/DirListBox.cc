#include "forms/DirListBox.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>

#include "forms/message_box.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace forms {
namespace {

bool IsDriveText(const std::string& text) {
    return text.size() == 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':';
}

std::string RootOf(char letter) {
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))) +
           ":\\";
}

}  // namespace

DirListBox::DirListBox(Form& parent, std::string name, Twips place, int tab_index)
    : ListControl(parent, std::move(name), place, tab_index) {
    SetAccessibleName("Folders");
    try {
        ShowNearest(platform::CurrentFolder());
        return;
    } catch (const platform::WindowsError&) {
        // The current folder's drive went away since the process started; any readable root will
        // do, as it would for a program started from a removed medium.
    }
    for (const platform::Drive& drive : platform::ListDrives()) {
        if (!drive.ready) continue;
        try {
            Show(RootOf(drive.letter));
            return;
        } catch (const platform::WindowsError&) {
        }
    }
}

void DirListBox::SetPath(const std::string& path) {
    const std::string before = path_;
    if (IsDriveText(path)) {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(path[0])));
        const auto last = folder_of_drive_.find(letter);
        ShowNearest(last != folder_of_drive_.end() ? last->second : RootOf(letter));
    } else {
        Show(path);
    }
    // Setting the path always reads the folder anew, but only a change of folder is a Change:
    // what follows the list (the item to act on in Text1) must stay when the folder does.
    if (path_ != before && Change) Change();
}

void DirListBox::Refresh() {
    if (path_.empty()) return;
    const std::string before = path_;
    try {
        ShowNearest(path_);
    } catch (const platform::WindowsError&) {
        // The drive cannot be read at all now; the list keeps what it showed.
        return;
    }
    if (path_ != before && Change) Change();
}

void DirListBox::Show(const std::string& folder) {
    const platform::WindowsPath stored = platform::FolderAsStored(folder);
    const std::string path = platform::FormatWindowsPath(stored);
    std::vector<std::string> sub_folders = platform::ListSubFolders(path);

    // The chain from the root down to the folder, then its sub-folders.
    std::vector<std::string> chain_paths;
    std::vector<std::string> entries;
    chain_paths.reserve(stored.components.size() + 1);
    entries.reserve(stored.components.size() + 1 + sub_folders.size());
    std::string chain = RootOf(stored.drive);
    chain_paths.push_back(chain);
    entries.push_back(chain);
    for (const std::string& component : stored.components) {
        if (chain.back() != '\\') chain += '\\';
        chain += component;
        chain_paths.push_back(chain);
        entries.push_back(component);
    }
    std::move(sub_folders.begin(), sub_folders.end(), std::back_inserter(entries));

    chain_paths_ = std::move(chain_paths);
    path_ = path;
    folder_of_drive_[stored.drive] = path;
    ShowEntries(std::move(entries), static_cast<int>(chain_paths_.size()) - 1);
}

void DirListBox::ShowNearest(std::string folder) {
    for (;;) {
        try {
            Show(folder);
            return;
        } catch (const platform::WindowsError& error) {
            std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(folder);
            if (error.code() == platform::ERROR_NOT_READY || !parsed || parsed->IsDriveRoot()) {
                throw;
            }
            parsed->components.pop_back();
            folder = platform::FormatWindowsPath(*parsed);
        }
    }
}

bool DirListBox::InChain(int row) const {
    return row < static_cast<int>(chain_paths_.size());
}

int DirListBox::DepthOf(int row) const {
    return std::min(row, static_cast<int>(chain_paths_.size()));
}

std::string DirListBox::PathOf(int row) const {
    if (InChain(row)) return chain_paths_[static_cast<std::size_t>(row)];
    const std::string separator = chain_paths_.size() == 1 ? "" : "\\";
    return path_ + separator + List(row);
}

void DirListBox::UserOpened(int row) {
    if (!Live() || row < 0 || row >= ListCount()) return;
    const std::string target = PathOf(row);
    if (target == path_) return;
    try {
        SetPath(target);
    } catch (const platform::WindowsError& error) {
        // The folder went away or became unreadable since the list was read: say so, and show
        // the list as it is now.
        MsgBox(error.what(), "Error!!!!");
        Refresh();
    }
}

}  // namespace forms
