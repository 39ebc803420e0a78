#include "forms/FileListBox.h"

#include <QMouseEvent>
#include <QStringList>

#include "platform/file_system.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace forms {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Files"));
    // Every entry is one line of the same height, so the list lays out 100,000 files without
    // measuring each.
    setUniformItemSizes(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &FileListBox::OnSelectionChanged,
            Qt::DirectConnection);
    connect(this, &QListWidget::itemClicked, this, &FileListBox::OnItemClicked,
            Qt::DirectConnection);
    try {
        SetPath(QString::fromStdString(platform::CurrentFolder()));
    } catch (const platform::WindowsError&) {
        // An unreadable current folder leaves the list empty until a folder is chosen.
    }
}

void FileListBox::SetPath(const QString& path) {
    reading_ = true;
    clear();
    path_ = path;
    std::vector<std::string> names;
    try {
        names = platform::ListFiles(path.toStdString());
    } catch (...) {
        reading_ = false;
        throw;
    }
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(names.size()));
    for (const std::string& name : names) entries << QString::fromStdString(name);
    // One insertion for the whole folder, not one per file.
    addItems(entries);
    setCurrentRow(-1);
    reading_ = false;
}

QString FileListBox::FileName() const {
    const QListWidgetItem* item = currentItem();
    return item != nullptr && item->isSelected() ? item->text() : QString();
}

void FileListBox::mousePressEvent(QMouseEvent* event) {
    row_before_press_ = currentRow();
    QListWidget::mousePressEvent(event);
}

void FileListBox::OnSelectionChanged() {
    // Focus arriving by Tab makes the first file current without choosing it: no click.
    if (!reading_ && !selectedItems().isEmpty()) emit Click();
}

void FileListBox::OnItemClicked(QListWidgetItem* item) {
    // A click that chose a new file has already raised Click through the change of row.
    if (row(item) == row_before_press_) emit Click();
}

}  // namespace forms
