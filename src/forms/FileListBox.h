// The file list: the files of one folder, sorted by name, read anew whenever its path is set.
// Choosing a file, with a click or the arrow keys, raises Click; so does a click on the file
// already chosen, as on Windows.
#pragma once

#include <string>

#include "forms/controls.h"

namespace forms {

class FileListBox : public ListControl {
  public:
    // Lists the program's current folder.
    FileListBox(Form& parent, std::string name, Twips place, int tab_index);

    const std::string& Path() const { return path_; }
    // Lists the folder's files, none chosen. Throws platform::WindowsError when the folder cannot
    // be read; the list is then empty.
    void SetPath(const std::string& path);
    // The chosen file's name, without its folder; empty when none is chosen.
    std::string FileName() const;
    // Chooses the file at `index` from code, as a click on it would, and raises Click.
    void SetListIndex(int index);

    std::function<void()> Click;

    // The user chose the file at `index`, or took the choice away (-1), which raises nothing.
    void UserSelected(int index);

    void Accept(ControlVisitor& visitor) override { visitor.Visit(*this); }

  private:
    std::string path_;
};

}  // namespace forms
