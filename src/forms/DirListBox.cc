#include "forms/DirListBox.h"

#include <QKeyEvent>
#include <QStringList>
#include <QStyle>
#include <QStyledItemDelegate>
#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "forms/message_box.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace forms {
namespace {

constexpr int kIndentPixels = 12;

// Indents each entry by its depth below the root and draws the open or closed folder, as the
// folder chain is drawn on Windows. Both follow from the entry's row, so that a folder of
// 100,000 sub-folders is filled in one insertion of plain texts.
class ChainDelegate : public QStyledItemDelegate {
  public:
    explicit ChainDelegate(const DirListBox* list)
        : QStyledItemDelegate(const_cast<DirListBox*>(list)),
          list_(list),
          open_(list->style()->standardIcon(QStyle::SP_DirOpenIcon)),
          closed_(list->style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        const bool in_chain = list_->InChain(index.row());
        option->icon = in_chain ? open_ : closed_;
        option->features |= QStyleOptionViewItem::HasDecoration;
        // As for an icon of the entry's own: never drawn larger than the icon has it.
        option->decorationSize =
            option->decorationSize.boundedTo(option->icon.actualSize(option->decorationSize));
        option->rect.adjust(list_->DepthOf(index.row()) * kIndentPixels, 0, 0, 0);
    }

  private:
    const DirListBox* list_;
    QIcon open_;
    QIcon closed_;
};

bool IsDriveText(const std::string& text) {
    return text.size() == 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':';
}

std::string RootOf(char letter) {
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))) +
           ":\\";
}

}  // namespace

DirListBox::DirListBox(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Folders"));
    // Every entry is one line of the same height, so the list lays out 100,000 entries without
    // measuring each.
    setUniformItemSizes(true);
    setItemDelegate(new ChainDelegate(this));
    connect(this, &QListWidget::itemDoubleClicked, this, &DirListBox::Open, Qt::DirectConnection);
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

QString DirListBox::Path() const {
    return path_;
}

void DirListBox::SetPath(const QString& path) {
    const QString before = path_;
    std::string target = path.toStdString();
    if (IsDriveText(target)) {
        const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(target[0])));
        const auto last = folder_of_drive_.find(letter);
        ShowNearest(last != folder_of_drive_.end() ? last->second : RootOf(letter));
    } else {
        Show(target);
    }
    // Setting the path always reads the folder anew, but only a change of folder is a Change:
    // what follows the list (the item to act on in Text1) must stay when the folder does.
    if (path_ != before) emit Change();
}

void DirListBox::Refresh() {
    if (path_.isEmpty()) return;
    const QString before = path_;
    try {
        ShowNearest(path_.toStdString());
    } catch (const platform::WindowsError&) {
        // The drive cannot be read at all now; the list keeps what it showed.
        return;
    }
    if (path_ != before) emit Change();
}

void DirListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (QListWidgetItem* item = currentItem()) Open(item);
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirListBox::Show(const std::string& folder) {
    const platform::WindowsPath stored = platform::FolderAsStored(folder);
    const std::string path = platform::FormatWindowsPath(stored);
    const std::vector<std::string> sub_folders = platform::ListSubFolders(path);

    // The chain from the root down to the folder, then its sub-folders.
    QStringList chain_paths;
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(stored.components.size() + 1 + sub_folders.size()));
    std::string chain = RootOf(stored.drive);
    chain_paths << QString::fromStdString(chain);
    entries << chain_paths.back();
    for (const std::string& component : stored.components) {
        if (chain.back() != '\\') chain += '\\';
        chain += component;
        chain_paths << QString::fromStdString(chain);
        entries << QString::fromStdString(component);
    }
    for (const std::string& name : sub_folders) entries << QString::fromStdString(name);

    clear();
    chain_paths_ = chain_paths;
    addItems(entries);
    setCurrentRow(static_cast<int>(chain_paths_.size()) - 1);

    path_ = QString::fromStdString(path);
    folder_of_drive_[stored.drive] = path;
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
    return row < chain_paths_.size();
}

int DirListBox::DepthOf(int row) const {
    return std::min(row, static_cast<int>(chain_paths_.size()));
}

QString DirListBox::PathOf(int row) const {
    if (InChain(row)) return chain_paths_[row];
    const QString separator = chain_paths_.size() == 1 ? QString() : QStringLiteral("\\");
    return path_ + separator + item(row)->text();
}

void DirListBox::Open(QListWidgetItem* item) {
    const QString target = PathOf(row(item));
    if (target == path_) return;
    try {
        SetPath(target);
    } catch (const platform::WindowsError& error) {
        // The folder went away or became unreadable since the list was read: say so, and show
        // the list as it is now.
        MsgBox(QString::fromStdString(error.what()), QStringLiteral("Error!!!!"));
        Refresh();
    }
}

}  // namespace forms
