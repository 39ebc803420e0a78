#include "forms/FileListBox.h"

#include "platform/file_system.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace forms {

FileListBox::FileListBox(Form& parent, std::string name, Twips place, int tab_index)
    : ListControl(parent, std::move(name), place, tab_index) {
    SetAccessibleName("Files");
    try {
        SetPath(platform::CurrentFolder());
    } catch (const platform::WindowsError&) {
        // An unreadable current folder leaves the list empty until a folder is chosen.
    }
}

void FileListBox::SetPath(const std::string& path) {
    path_ = path;
    try {
        ShowEntries(platform::ListFiles(path), -1);
    } catch (...) {
        ShowEntries({}, -1);
        throw;
    }
}

std::string FileListBox::FileName() const {
    return ListIndex() < 0 ? std::string() : List(ListIndex());
}

void FileListBox::SetListIndex(int index) {
    Select(index);
    if (index >= 0 && Click) Click();
}

void FileListBox::UserSelected(int index) {
    if (!Live()) return;
    NoteSelection(index);
    if (index >= 0 && Click) Click();
}

}  // namespace forms
