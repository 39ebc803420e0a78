// The drive list: a drop-down of the machine's drives, each shown by its letter and colon ("c:")
// with its label in brackets where it has one, and "not ready" for a drive whose medium or folder
// cannot be read. Drive() reads only the letter and colon, so a hiding-place path built from it
// names the drive itself and not its label.
//
// Choosing another drive, with the mouse or the arrow keys, raises Change. The toolkit calls
// Refresh each time the list drops down, so a drive added while the program runs shows up.
#pragma once

#include <string>
#include <vector>

#include "forms/controls.h"

namespace forms {

class DriveListBox : public ListControl {
  public:
    // Lists the drives, the first selected.
    DriveListBox(Form& parent, std::string name, Twips place, int tab_index);

    // "c:" for the selected drive; empty when the machine has no drive at all.
    std::string Drive() const;
    // Selects the drive of a drive text ("c:", "C:\Docs": its first letter, either case) and
    // raises Change when that is another drive. A letter the machine lacks changes nothing.
    void SetDrive(const std::string& drive);
    // Reads the drives anew, keeping the selected one; no Change.
    void Refresh();

    std::function<void()> Change;

    // Whether the drive of an entry can be read, for the icon it is drawn with.
    bool IsReady(int index) const;

    // The user chose the entry at `index`.
    void UserChose(int index);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    struct Entry {
        std::string drive;  // "c:"
        bool ready;
    };

    int IndexOf(char letter) const;

    std::vector<Entry> drives_;
};

}  // namespace forms
