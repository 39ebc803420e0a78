// The file list: the files of one folder, sorted by name, read anew whenever its path is set.
// Choosing a file, with a click or the arrow keys, raises Click; so does a click on the file
// already chosen, as on Windows.
#pragma once

#include <QListWidget>
#include <QString>

namespace forms {

class FileListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit FileListBox(QWidget* parent = nullptr);

    QString Path() const { return path_; }
    // Lists the folder's files, none chosen. Throws platform::WindowsError when the folder cannot
    // be read; the list is then empty.
    void SetPath(const QString& path);
    // The chosen file's name, without its folder; empty when none is chosen.
    QString FileName() const;

  signals:
    void Click();

  protected:
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void OnSelectionChanged();
    void OnItemClicked(QListWidgetItem* item);

    QString path_;
    bool reading_ = false;
    int row_before_press_ = -1;
};

}  // namespace forms
