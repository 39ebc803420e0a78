#include "forms/Form3.h"

#include <QSignalBlocker>
#include <QStringList>
#include <vector>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/twips.h"
#include "platform/file_system.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hidden_items_register.h"
#include "register/hiding_place.h"

namespace forms {
namespace {

const QString kErrorTitle = QStringLiteral("Error!!!!!");

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Why an item could not be moved back, in the user's terms; the record is kept in every case,
// so the item stays listed and can be unhidden once the cause is mended.
QString WhyNotBack(const hiding::HiddenItemRecord& record, const platform::WindowsError& error) {
    const std::string hidden_path = hiding::UnhidePathFor(record);
    const QString path = Text(record.item_path());
    QString reason;
    if (!platform::ParseWindowsPath(record.item_path())) {
        // Such a path sends the move to the drive of its first character, whose failure would
        // be blamed otherwise; the path itself is what is wrong.
        reason = QStringLiteral("its recorded path \"%1\" does not begin with a drive letter.")
                     .arg(path);
    } else if (!platform::ItemExists(hidden_path)) {
        // Told before the move's own reason: with the hiding place itself gone, the move reports
        // a missing folder, which would read as the folder the item came from.
        reason =
            QStringLiteral("it is no longer in the hiding place as %1.").arg(Text(hidden_path));
    } else if (error.code() == platform::ERROR_PATH_NOT_FOUND) {
        reason = QStringLiteral("the folder it came from no longer exists (%1).").arg(path);
    } else if (error.code() == platform::ERROR_ALREADY_EXISTS) {
        reason = QStringLiteral("an item named %1 is already there.").arg(path);
    } else {
        reason = Text(error.what());
    }
    return QStringLiteral("Cannot unhide %1: %2\nIt stays in the list of hidden items.")
        .arg(Text(record.item_name()), reason);
}

}  // namespace

Form3::Form3()
    : Form(QStringLiteral("Hidden Folders"), 4785, 3795, Border::kSizable),
      List1(new QListWidget(this)),
      Command1(new QPushButton(QStringLiteral("U&nhide"), this)),
      List2(new QListWidget(this)),
      Label1(new QLabel(QStringLiteral("File or Folder:              Path:"), this)),
      Command2(new QPushButton(QStringLiteral("&Cancel"), this)) {
    PlaceTwips(List1, 120, 600, 1575, 2400);
    PlaceTwips(Command1, 120, 3120, 2055, 495);
    PlaceTwips(List2, 1680, 600, 3015, 2400);
    PlaceTwips(Label1, 120, 360, 4575, 375);
    PlaceTwips(Command2, 2520, 3120, 2055, 495);
    // The heading is drawn before the lists so that it never covers their frames.
    Label1->lower();
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Every entry is one line of text; measuring each of up to 32,766 entries would slow opening.
    List1->setUniformItemSizes(true);
    List2->setUniformItemSizes(true);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    List2->setSelectionMode(QAbstractItemView::SingleSelection);
    List1->setAccessibleName(QStringLiteral("File or Folder"));
    List2->setAccessibleName(QStringLiteral("Path"));
    setTabOrder(List1, Command1);
    setTabOrder(Command1, List2);
    setTabOrder(List2, Command2);

    connect(List1, &QListWidget::currentRowChanged, this, &Form3::List1_Click,
            Qt::DirectConnection);
    connect(List1, &QListWidget::itemSelectionChanged, this, &Form3::List1_Click,
            Qt::DirectConnection);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click, Qt::DirectConnection);
    connect(Command2, &QPushButton::clicked, this, &Form3::Command2_Click, Qt::DirectConnection);
}

void Form3::Form_Load() {
    try {
        const std::vector<hiding::HiddenItemRecord> records = hiding::ReadAllRecords();
        QStringList names;
        QStringList paths;
        names.reserve(static_cast<qsizetype>(records.size()));
        paths.reserve(static_cast<qsizetype>(records.size()));
        for (const hiding::HiddenItemRecord& record : records) {
            names << Text(record.item_name());
            paths << Text(record.item_path());
        }
        // Added in one step each, so that a full register fills the lists in one pass.
        List1->addItems(names);
        List2->addItems(paths);
    } catch (const std::exception& error) {
        MsgBox(QStringLiteral("Cannot list the hidden items.\n%1").arg(Text(error.what())),
               kErrorTitle);
    }
    if (ListIndex() == -1) {
        Command1->setEnabled(false);
    }
}

int Form3::ListIndex() const {
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    return selected.isEmpty() ? -1 : List1->row(selected.first());
}

// A classic list box cannot lose its selection, but this one can (a Ctrl+click, a click below
// the entries), so Unhide follows the selection both ways rather than stay enabled for nothing.
void Form3::List1_Click() {
    Command1->setEnabled(ListIndex() != -1);
}

// The item goes back first and its record is removed only after it is back, so that an item
// lies in the hiding place exactly while a record names it. The register stays open (and
// locked against another running copy) from reading the record to removing it, and is closed
// before any message waits for the user.
void Form3::Command1_Click() {
    const int p = ListIndex();
    if (p < 0) {
        return;
    }
    std::optional<hiding::HiddenItemsRegister> hidden_items;
    hiding::HiddenItemRecord record;
    try {
        hidden_items.emplace(hiding::HiddenItemsRegister::Open());
        record = hidden_items->ReadRecordAt(p);
    } catch (const std::exception& error) {
        hidden_items.reset();
        MsgBox(QStringLiteral("Cannot read the hidden item's record.\n%1").arg(Text(error.what())),
               kErrorTitle);
        return;
    }
    // Another running copy may have changed the register since the lists were filled; the
    // position would then name another item than the one the user chose.
    if (Text(record.item_name()) != List1->item(p)->text() ||
        Text(record.item_path()) != List2->item(p)->text()) {
        hidden_items.reset();
        MsgBox(QStringLiteral("The list of hidden items has changed since this window opened. "
                              "Close it and open it again."),
               kErrorTitle);
        return;
    }

    const std::string hidden_path = hiding::UnhidePathFor(record);
    try {
        platform::MoveItem(hidden_path, record.item_path());
    } catch (const platform::WindowsError& error) {
        hidden_items.reset();
        MsgBox(WhyNotBack(record, error), kErrorTitle);
        return;
    }

    try {
        hidden_items->RemoveRecordAt(p);
        hidden_items->Close();
    } catch (const std::exception& error) {
        hidden_items.reset();
        SettleFailedRemoval(p, record, error);
        return;
    }
    RemoveEntryAt(p);
    if (ListIndex() == -1) {
        Command1->setEnabled(false);
    }
}

// The item is back at its path but the removal of its record failed somewhere: before the new
// register took the old one's place, or after (flushing the folder, reopening, closing). What
// the register holds now decides where the item belongs. Only when the record is certainly
// still there does the item go back into hiding; when that cannot be told, it stays at its own
// path, where it cannot be lost.
void Form3::SettleFailedRemoval(int p, const hiding::HiddenItemRecord& record,
                                const std::exception& error) {
    const QString name = Text(record.item_name());
    const QString path = Text(record.item_path());
    std::optional<bool> still_recorded;
    try {
        auto hidden_items = hiding::HiddenItemsRegister::Open();
        still_recorded = p < hidden_items.RecordCount() && hidden_items.ReadRecordAt(p) == record;
        hidden_items.Close();
    } catch (const std::exception&) {
    }

    if (still_recorded == false) {
        RemoveEntryAt(p);
        Command1->setEnabled(ListIndex() != -1);
        MsgBox(QStringLiteral("%1 is back at %2, but saving the list of hidden items did not "
                              "finish cleanly.\n%3")
                   .arg(name, path, Text(error.what())),
               kErrorTitle);
        return;
    }
    QString where;
    if (still_recorded == true) {
        try {
            platform::MoveItem(record.item_path(), hiding::UnhidePathFor(record));
            where = QStringLiteral("It stays hidden.");
        } catch (const std::exception&) {
            where = QStringLiteral("It is back at %1, but the list of hidden items still names it.")
                        .arg(path);
        }
    } else {
        where = QStringLiteral(
                    "It is back at %1; close this window and open it again to see "
                    "whether the list of hidden items still names it.")
                    .arg(path);
    }
    MsgBox(QStringLiteral("Cannot remove the record of %1 from the list of hidden items.\n%2\n%3")
               .arg(name, Text(error.what()), where),
           kErrorTitle);
}

// Removing entries is not a selection by the user: List1 is left without a selection, as the
// user must choose the next item before Unhide can be pressed again.
void Form3::RemoveEntryAt(int position) {
    const QSignalBlocker quiet(List1);
    delete List2->takeItem(position);
    delete List1->takeItem(position);
    List1->clearSelection();
    List1->setCurrentRow(-1);
}

void Form3::Command2_Click() {
    Unload();
}

void Form3::Form_Unload(int& Cancel) {
    (void)Cancel;
    Instance<Form1>().setEnabled(true);
    Instance<Form1>().Dir1->Refresh();
}

}  // namespace forms
