// The four lists on Qt: a list box and the file list as plain list widgets, the folder list as a
// list widget that draws each entry's indent and folder icon, the drive list as a combo box.
// None of them raises an event for entries or a selection set by code.
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QStringList>
#include <QStyle>
#include <QStyledItemDelegate>
#include <functional>

#include "forms/DirListBox.h"
#include "forms/DriveListBox.h"
#include "forms/FileListBox.h"
#include "forms/qt/peers.h"

namespace forms::qt {
namespace {

constexpr int kIndentPixels = 12;

QStringList ToQStringList(const std::vector<std::string>& texts) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list;
}

// A list widget that tells its peer what the user did to an entry, for as long as the peer lives:
// the widget is deleted only after its control and peer are gone.
class ReportingListWidget : public QListWidget {
  public:
    using QListWidget::QListWidget;
    std::function<void(int)> report;

  protected:
    void Report(int row) {
        if (report) report(row);
    }
};

// Reports the entry the user chose: a new selection, by mouse or keys, and also a click on the
// entry already selected, as a classic list box reports it.
class ChoosingListWidget : public ReportingListWidget {
  public:
    explicit ChoosingListWidget(QWidget* parent) : ReportingListWidget(parent) {
        // Focus arriving by Tab makes the first entry current without selecting it: no choice.
        connect(this, &QListWidget::itemSelectionChanged, this, [this] { Report(SelectedRow()); });
        connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            // A click that selected a new entry has already been told through the selection.
            if (row(item) == row_before_press_) Report(row(item));
        });
    }

    int SelectedRow() const {
        const QList<QListWidgetItem*> selected = selectedItems();
        return selected.isEmpty() ? -1 : row(selected.first());
    }

  protected:
    void mousePressEvent(QMouseEvent* event) override {
        row_before_press_ = currentRow();
        QListWidget::mousePressEvent(event);
    }

  private:
    int row_before_press_ = -1;
};

// Reports the entry the user opened with a double-click or Enter.
class FolderListWidget : public ReportingListWidget {
  public:
    explicit FolderListWidget(QWidget* parent) : ReportingListWidget(parent) {
        connect(this, &QListWidget::itemDoubleClicked, this,
                [this](QListWidgetItem* item) { Report(row(item)); });
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            if (currentItem() != nullptr) Report(currentRow());
            event->accept();
            return;
        }
        QListWidget::keyPressEvent(event);
    }
};

// Indents each entry by its depth below the root and draws the open or closed folder, as the
// folder chain is drawn on Windows. Both follow from the entry's row, so that a folder of
// 100,000 sub-folders is filled in one insertion of plain texts.
class ChainDelegate : public QStyledItemDelegate {
  public:
    ChainDelegate(QListWidget* widget, const DirListBox& list)
        : QStyledItemDelegate(widget),
          list_(list),
          open_(widget->style()->standardIcon(QStyle::SP_DirOpenIcon)),
          closed_(widget->style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->icon = list_.InChain(index.row()) ? open_ : closed_;
        option->features |= QStyleOptionViewItem::HasDecoration;
        // As for an icon of the entry's own: never drawn larger than the icon has it.
        option->decorationSize =
            option->decorationSize.boundedTo(option->icon.actualSize(option->decorationSize));
        option->rect.adjust(list_.DepthOf(index.row()) * kIndentPixels, 0, 0, 0);
    }

  private:
    const DirListBox& list_;
    QIcon open_;
    QIcon closed_;
};

class ListWidgetPeer : public WidgetPeer<ListPeer> {
  public:
    ListWidgetPeer(const ListControl& list, ReportingListWidget* widget,
                   std::function<void(int)> report)
        : WidgetPeer(list, widget), list_(widget) {
        // Every entry is one line of the same height, so the list lays out 100,000 entries
        // without measuring each.
        widget->setUniformItemSizes(true);
        widget->setSelectionMode(QAbstractItemView::SingleSelection);
        SetEntries(list.Entries(), list.ListIndex());
        widget->report = std::move(report);
    }
    ~ListWidgetPeer() override { list_->report = nullptr; }

    void SetEntries(const std::vector<std::string>& entries, int selected) override {
        const QSignalBlocker quiet(list_);
        list_->clear();
        // One insertion for the whole list, not one per entry.
        list_->addItems(ToQStringList(entries));
        Select(selected);
    }
    void InsertEntry(int index, const std::string& entry) override {
        const QSignalBlocker quiet(list_);
        list_->insertItem(index, QString::fromStdString(entry));
    }
    void RemoveEntry(int index) override {
        const QSignalBlocker quiet(list_);
        delete list_->takeItem(index);
    }
    void SetSelected(int index) override {
        const QSignalBlocker quiet(list_);
        Select(index);
    }

  private:
    void Select(int index) {
        if (index < 0) list_->clearSelection();
        list_->setCurrentRow(index);
    }

    ReportingListWidget* list_;
};

class DriveComboBox : public QComboBox {
  public:
    using QComboBox::QComboBox;
    // Set by the peer for as long as it lives.
    std::function<void()> dropping_down;

  protected:
    void showPopup() override {
        if (dropping_down) dropping_down();
        QComboBox::showPopup();
    }
};

class DriveListPeer : public WidgetPeer<ListPeer> {
  public:
    DriveListPeer(DriveListBox& drives, DriveComboBox* widget)
        : WidgetPeer(drives, widget),
          drives_(drives),
          combo_(widget),
          ready_(widget->style()->standardIcon(QStyle::SP_DriveHDIcon)),
          absent_(widget->style()->standardIcon(QStyle::SP_DriveCDIcon)) {
        SetEntries(drives.Entries(), drives.ListIndex());
        QObject::connect(widget, &QComboBox::currentIndexChanged, context(),
                         [&drives](int index) { drives.UserChose(index); });
        // Read anew each time the list drops down, so that a drive linked in meanwhile shows up.
        widget->dropping_down = [&drives] { drives.Refresh(); };
    }
    ~DriveListPeer() override { combo_->dropping_down = nullptr; }

    void SetEntries(const std::vector<std::string>& entries, int selected) override {
        const QSignalBlocker quiet(combo_);
        combo_->clear();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            combo_->addItem(drives_.IsReady(static_cast<int>(i)) ? ready_ : absent_,
                            QString::fromStdString(entries[i]));
        }
        combo_->setCurrentIndex(selected);
    }
    void InsertEntry(int index, const std::string& entry) override {
        const QSignalBlocker quiet(combo_);
        combo_->insertItem(index, drives_.IsReady(index) ? ready_ : absent_,
                           QString::fromStdString(entry));
    }
    void RemoveEntry(int index) override {
        const QSignalBlocker quiet(combo_);
        combo_->removeItem(index);
    }
    void SetSelected(int index) override {
        const QSignalBlocker quiet(combo_);
        combo_->setCurrentIndex(index);
    }

  private:
    const DriveListBox& drives_;
    DriveComboBox* combo_;
    QIcon ready_;
    QIcon absent_;
};

}  // namespace

std::unique_ptr<ListPeer> MakeListBoxPeer(ListBox& list, QWidget* window) {
    auto* widget = new ChoosingListWidget(window);
    PlaceTwips(widget, list.Place());
    return std::make_unique<ListWidgetPeer>(list, widget,
                                            [&list](int row) { list.UserSelected(row); });
}

std::unique_ptr<ListPeer> MakeFileListPeer(FileListBox& list, QWidget* window) {
    auto* widget = new ChoosingListWidget(window);
    PlaceTwips(widget, list.Place());
    return std::make_unique<ListWidgetPeer>(list, widget,
                                            [&list](int row) { list.UserSelected(row); });
}

std::unique_ptr<ListPeer> MakeFolderListPeer(DirListBox& list, QWidget* window) {
    auto* widget = new FolderListWidget(window);
    widget->setItemDelegate(new ChainDelegate(widget, list));
    PlaceTwips(widget, list.Place());
    return std::make_unique<ListWidgetPeer>(list, widget,
                                            [&list](int row) { list.UserOpened(row); });
}

std::unique_ptr<ListPeer> MakeDriveListPeer(DriveListBox& list, QWidget* window) {
    auto* widget = new DriveComboBox(window);
    PlaceTwips(widget, list.Place());
    return std::make_unique<DriveListPeer>(list, widget);
}

}  // namespace forms::qt
