// The drive list: a drop-down of the machine's drives, each shown by its letter and colon ("c:")
// with the host folder it maps to in brackets, and "not ready" for a drive whose folder cannot
// be read. Drive() reads only the letter and colon, so a hiding-place path built from it names
// the drive itself and not its label.
//
// Selecting another drive, with the mouse or the arrow keys, raises Change. The list is read
// anew each time it drops down, so a drive linked in while the program runs shows up.
#pragma once

#include <QComboBox>
#include <QString>

namespace forms {

class DriveListBox : public QComboBox {
    Q_OBJECT
  public:
    explicit DriveListBox(QWidget* parent = nullptr);

    // "c:" for the selected drive; empty when the machine has no drive at all.
    QString Drive() const;
    // Selects the drive of a drive letter (either case) without raising Change.
    void SelectDriveQuietly(QChar letter);

  signals:
    void Change();

  protected:
    void showPopup() override;

  private:
    void ReadDrives();
    void OnIndexChanged();

    bool reading_ = false;
};

}  // namespace forms
