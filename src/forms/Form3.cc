#include "forms/Form3.h"

#include <QSignalBlocker>
#include <QStringList>
#include <vector>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/twips.h"
#include "hiding/recovery.h"
#include "hiding/unhide.h"

namespace forms {
namespace {

const QString kErrorTitle = QStringLiteral("Error!!!!!");

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
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
        const std::vector<hiding::HiddenItemRecord> records = hiding::ListHiddenItems();
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

void Form3::Command1_Click() {
    const int p = ListIndex();
    if (p < 0) {
        return;
    }
    const hiding::UnhideOutcome outcome = hiding::Unhide(p, List1->item(p)->text().toStdString(),
                                                         List2->item(p)->text().toStdString());
    switch (outcome.result) {
        case hiding::UnhideOutcome::Result::kListChanged:
            MsgBox(QStringLiteral("The list of hidden items has changed since this window opened. "
                                  "Close it and open it again."),
                   kErrorTitle);
            return;
        case hiding::UnhideOutcome::Result::kRefused:
        case hiding::UnhideOutcome::Result::kNotBack:
        case hiding::UnhideOutcome::Result::kUnsettled:
            MsgBox(Text(outcome.message), kErrorTitle);
            return;
        case hiding::UnhideOutcome::Result::kUnhidden:
            break;
    }
    RemoveEntryAt(p);
    if (ListIndex() == -1) {
        Command1->setEnabled(false);
    }
    // A note on an Unhide that went through is no error.
    if (!outcome.message.empty()) MsgBox(Text(outcome.message));
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
