#include "forms/DriveListBox.h"

#include <cctype>

#include "platform/drives.h"

namespace forms {

DriveListBox::DriveListBox(Form& parent, std::string name, Twips place, int tab_index)
    : ListControl(parent, std::move(name), place, tab_index) {
    SetAccessibleName("Drives");
    Refresh();
}

std::string DriveListBox::Drive() const {
    const int index = ListIndex();
    return index < 0 ? std::string() : drives_[static_cast<std::size_t>(index)].drive;
}

void DriveListBox::SetDrive(const std::string& drive) {
    if (drive.empty()) return;
    const int index = IndexOf(drive[0]);
    if (index < 0 || index == ListIndex()) return;
    Select(index);
    if (Change) Change();
}

void DriveListBox::Refresh() {
    const std::string selected = Drive();
    std::vector<Entry> drives;
    std::vector<std::string> entries;
    for (const platform::Drive& drive : platform::ListDrives()) {
        // A Windows volume may have no label: then the letter stands alone.
        std::string shown = drive.text();
        if (!drive.label.empty()) shown += " [" + drive.label + "]";
        if (!drive.ready) shown += " not ready";
        drives.push_back({drive.text(), drive.ready});
        entries.push_back(std::move(shown));
    }
    drives_ = std::move(drives);
    // A drop-down list always shows a drive while it has any: the one selected before, or the
    // first when that one has gone.
    int index = selected.empty() ? -1 : IndexOf(selected[0]);
    if (index < 0 && !entries.empty()) index = 0;
    ShowEntries(std::move(entries), index);
}

bool DriveListBox::IsReady(int index) const {
    return index >= 0 && index < static_cast<int>(drives_.size()) &&
           drives_[static_cast<std::size_t>(index)].ready;
}

void DriveListBox::UserChose(int index) {
    if (!Live() || index < 0 || index >= ListCount() || index == ListIndex()) return;
    NoteSelection(index);
    if (Change) Change();
}

int DriveListBox::IndexOf(char letter) const {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    for (std::size_t i = 0; i < drives_.size(); ++i) {
        if (drives_[i].drive[0] == lower) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace forms
