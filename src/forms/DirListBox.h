// The folder list: the chain of open folders from the drive's root down to the current folder,
// each indented one step further and drawn open, then the current folder's sub-folders one step
// further in, drawn closed. A double-click or Enter on an entry opens it; every change of the
// folder shown, by the user or by SetPath, raises Change before it returns.
//
// Like Windows, the list remembers the last folder shown on each drive, so that setting its
// path to a drive text ("d:") goes back to where the user was on that drive.
#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>
#include <map>
#include <string>

namespace forms {

class DirListBox : public QListWidget {
    Q_OBJECT
  public:
    // Shows the program's current folder.
    explicit DirListBox(QWidget* parent = nullptr);

    // "C:\" for a root, "C:\Docs" for any other folder.
    QString Path() const;
    // Moves the list to a folder ("C:\Docs", "C:\Docs\") or to a drive's last folder ("c:"), and
    // raises Change. Throws platform::WindowsError when the drive or the folder cannot be read;
    // the list then stays as it was.
    void SetPath(const QString& path);
    // Reads the sub-folders anew. When the current folder has gone, moves to the nearest folder
    // above it that is still there (raising Change). Never throws.
    void Refresh();

    // How the entry in a row is drawn: whether it is a folder of the chain down to the one shown
    // (drawn open) rather than one of its sub-folders, and how many steps it is indented.
    bool InChain(int row) const;
    int DepthOf(int row) const;

  signals:
    void Change();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void Show(const std::string& folder);
    // Shows the folder, or when it has gone the nearest folder above it that is still there.
    void ShowNearest(std::string folder);
    void Open(QListWidgetItem* item);
    // The folder an entry stands for.
    QString PathOf(int row) const;

    QString path_;
    QStringList chain_paths_;  // the folders from the root down to the one shown
    std::map<char, std::string> folder_of_drive_;  // by lower-case drive letter
};

}  // namespace forms
