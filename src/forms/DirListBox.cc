#include "forms/DirListBox.h"

#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>
#include <cctype>
#include <string>

#include "forms/message_box.h"
#include "platform/drives.h"
#include "platform/file_system.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"

namespace forms {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPixels = 12;

// Indents each entry by its depth below the root, as the folder chain is drawn on Windows.
class IndentDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->rect.adjust(index.data(kDepthRole).toInt() * kIndentPixels, 0, 0, 0);
    }
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
    setItemDelegate(new IndentDelegate(this));
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
    const platform::HostLocation location = platform::ResolveWindowsPath(folder);
    const std::string path = platform::FormatWindowsPath(location.windows);
    if (!location.exists || !platform::FolderExists(path)) {
        throw platform::WindowsError(platform::ERROR_PATH_NOT_FOUND,
                                     "Cannot open the folder " + path);
    }
    const std::vector<std::string> sub_folders = platform::ListSubFolders(path);

    clear();
    const QIcon open_icon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed_icon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [this](const QIcon& icon, const std::string& text, const std::string& item_path,
                      int depth) {
        auto* item = new QListWidgetItem(icon, QString::fromStdString(text), this);
        item->setData(kPathRole, QString::fromStdString(item_path));
        item->setData(kDepthRole, depth);
        return item;
    };
    std::string chain = RootOf(location.windows.drive);
    QListWidgetItem* current = add(open_icon, chain, chain, 0);
    int depth = 0;
    for (const std::string& component : location.windows.components) {
        if (depth > 0) chain += '\\';
        chain += component;
        current = add(open_icon, component, chain, ++depth);
    }
    const std::string separator = location.windows.IsDriveRoot() ? "" : "\\";
    for (const std::string& name : sub_folders) {
        add(closed_icon, name, path + separator + name, depth + 1);
    }
    setCurrentItem(current);

    path_ = QString::fromStdString(path);
    folder_of_drive_[location.windows.drive] = path;
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

void DirListBox::Open(QListWidgetItem* item) {
    const QString target = item->data(kPathRole).toString();
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
