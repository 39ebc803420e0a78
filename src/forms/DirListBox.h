// The folder list: the chain of open folders from the drive's root down to the folder shown, each
// one step further in, then that folder's sub-folders one step further in again. A double-click
// or Enter on an entry opens it; every change of the folder shown, by the user or by SetPath,
// raises Change before it returns.
//
// Like Windows, the list remembers the last folder shown on each drive, so that setting its path
// to a drive text ("d:") goes back to where the user was on that drive.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "forms/controls.h"

namespace forms {

class DirListBox : public ListControl {
  public:
    // Shows the program's current folder.
    DirListBox(Form& parent, std::string name, Twips place, int tab_index);

    // "C:\" for a root, "C:\Docs" for any other folder.
    const std::string& Path() const { return path_; }
    // Moves the list to a folder ("C:\Docs", "C:\Docs\") or to a drive's last folder ("c:"), and
    // raises Change when the folder shown changes. Throws platform::WindowsError when the drive
    // or the folder cannot be read; the list then stays as it was.
    void SetPath(const std::string& path);
    // Reads the sub-folders anew. When the folder shown has gone, moves to the nearest folder
    // above it that is still there (raising Change). Never throws.
    void Refresh();

    std::function<void()> Change;

    // How the entry in a row is drawn: whether it is a folder of the chain down to the one shown
    // (drawn open) rather than one of its sub-folders (drawn closed), and how many steps it is
    // indented.
    bool InChain(int row) const;
    int DepthOf(int row) const;

    // The user opened the entry in a row (double-click, or Enter on it).
    void UserOpened(int row);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    void Show(const std::string& folder);
    // Shows the folder, or when it has gone the nearest folder above it that is still there.
    void ShowNearest(std::string folder);
    // The folder an entry stands for.
    std::string PathOf(int row) const;

    std::string path_;
    std::vector<std::string> chain_paths_;  // the folders from the root down to the one shown
    std::map<char, std::string> folder_of_drive_;  // by lower-case drive letter
};

}  // namespace forms
