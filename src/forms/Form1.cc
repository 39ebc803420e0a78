#include "forms/Form1.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/frmAbout.h"
#include "forms/message_box.h"
#include "forms/twips.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/windows_error.h"
#include "platform/windows_path.h"
#include "register/hidden_item_record.h"
#include "register/hidden_items_register.h"
#include "register/hiding_place.h"

namespace forms {
namespace {

const QString kDriveTitle = QStringLiteral("Error!!!!");
const QString kHideTitle = QStringLiteral("Error!!!!!");
const QString kCannotHide =
    QStringLiteral("Cannot Hide Drive or File or Folders on Removable Media");

// Hidden names count up from H1 in a signed 16-bit number.
constexpr int kLastHiddenNumber = 32767;

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Why the item named in Text1 cannot be hidden before anything is touched, or nothing when it
// may be tried. Each refusal guards what Unhide later relies on: the register keeps the path in
// 200 single-byte characters, and the item comes back from the hiding place of the drive its
// path names, so it must go into that drive's hiding place; and the register itself must stay
// in place, or it would carry every record into the hiding place with it.
std::optional<QString> RefusalOf(const QString& t, const QString& drive) {
    if (!t.contains(QLatin1Char('\\'))) {
        return QStringLiteral(
            "Cannot Hide: type or choose the full path of a file or folder, such as "
            "C:\\Docs\\report.txt");
    }
    const std::string path = t.toStdString();
    if (!platform::RepresentableInAnsi(path)) {
        return QStringLiteral(
            "Cannot Hide: the path contains characters the register cannot store, so the item "
            "could not be brought back");
    }
    if (platform::ToAnsi(path).size() > hiding::HiddenItemRecord::kItemPathWidth) {
        return QStringLiteral(
            "Cannot Hide: the path is longer than 200 characters, more than the register keeps "
            "to bring the item back");
    }
    if (drive.isEmpty() || t.front().toLower() != drive.front().toLower()) {
        return QStringLiteral(
                   "Cannot Hide: %1 is not on drive %2. Select its drive in the drive list first")
            .arg(t, drive);
    }
    // A drive root holds the register too, but it never moves: its Hide fails as any failed move.
    const std::optional<platform::WindowsPath> parsed = platform::ParseWindowsPath(path);
    if (!(parsed && parsed->IsDriveRoot()) && hiding::CarriesTheRegister(path)) {
        return QStringLiteral(
                   "Cannot Hide: %1 holds the register of hidden items, %2, which must stay where "
                   "it is")
            .arg(t, QString::fromLatin1(hiding::kRegisterPath));
    }
    return std::nullopt;
}

}  // namespace

Form1::Form1()
    : Form(QStringLiteral("Tessarn"), 4755, 6870, Border::kFixedSingle),
      // Created in tab order, so that keyboard focus starts in the folder list.
      Dir1(new DirListBox(this)),
      Drive1(new DriveListBox(this)),
      File1(new FileListBox(this)),
      Text1(new QLineEdit(QStringLiteral("*.*"), this)),
      Command1(new QPushButton(QStringLiteral("&Hide"), this)),
      Command2(new QPushButton(QStringLiteral("&Unhide"), this)),
      Command3(new QPushButton(QStringLiteral("&About"), this)),
      Command4(new QPushButton(QStringLiteral("&Change Password"), this)) {
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Drive1->setObjectName(QStringLiteral("Drive1"));
    File1->setObjectName(QStringLiteral("File1"));
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(QStringLiteral("Item to hide"));
    // No length limit: a typed path is taken whole, so that a refusal speaks of what was typed.
    Text1->setMaxLength(std::numeric_limits<int>::max());
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3->setObjectName(QStringLiteral("Command3"));
    Command4->setObjectName(QStringLiteral("Command4"));

    PlaceTwips(Dir1, 2280, 1200, 2295, 3240);
    PlaceTwips(Drive1, 120, 4560, 1935, 315);
    PlaceTwips(File1, 120, 1200, 1935, 3210);
    PlaceTwips(Text1, 120, 600, 4455, 375);
    PlaceTwips(Command1, 2520, 5160, 1815, 615);
    PlaceTwips(Command2, 240, 5160, 1815, 615);
    PlaceTwips(Command3, 240, 6120, 1815, 615);
    PlaceTwips(Command4, 2520, 6120, 1815, 615);

    setTabOrder(Dir1, Drive1);
    setTabOrder(Drive1, File1);
    setTabOrder(File1, Text1);
    setTabOrder(Text1, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command3);
    setTabOrder(Command3, Command4);

    // The file list and the drive list start where the folder list starts.
    if (!Dir1->Path().isEmpty()) Drive1->SelectDriveQuietly(Dir1->Path().front());
    if (File1->Path() != Dir1->Path()) {
        try {
            File1->SetPath(Dir1->Path());
        } catch (const platform::WindowsError&) {
            // An unreadable folder lists no files; choosing another folder mends it.
        }
    }

    // Direct connections: setting a list's path from code runs its handler to the end before
    // the setting statement goes on, which Hide and the drive change rely on.
    connect(Drive1, &DriveListBox::Change, this, &Form1::Drive1_Change, Qt::DirectConnection);
    connect(Dir1, &DirListBox::Change, this, &Form1::Dir1_Change, Qt::DirectConnection);
    connect(File1, &FileListBox::Click, this, &Form1::File1_Click, Qt::DirectConnection);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click, Qt::DirectConnection);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click, Qt::DirectConnection);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click, Qt::DirectConnection);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click, Qt::DirectConnection);
}

void Form1::Form_Load() {
    Text1->setText(Dir1->Path());
}

void Form1::Drive1_Change() {
    try {
        Dir1->SetPath(Drive1->Drive());
    } catch (const platform::WindowsError&) {
        // The drive list keeps the unreadable drive; the other lists stay where they were.
        MsgBox(QStringLiteral("Drive not ready!!!"), kDriveTitle);
    }
    try {
        File1->SetPath(Dir1->Path());
    } catch (const platform::WindowsError&) {
        // Trapped like the rest of the drive change: the folder list shows what is readable.
    }
}

void Form1::Dir1_Change() {
    try {
        File1->SetPath(Dir1->Path());
    } catch (const platform::WindowsError& error) {
        // The folder list has just read this folder, so only a folder that lets its sub-folders
        // be seen but not its files gets here.
        MsgBox(Text(error.what()), kDriveTitle);
    }
    Text1->setText(Dir1->Path());
}

void Form1::File1_Click() {
    const QString d = Dir1->Path();
    if (d.endsWith(QLatin1Char('\\'))) {
        Text1->setText(d + File1->FileName());
    } else {
        Text1->setText(d + QLatin1Char('\\') + File1->FileName());
    }
}

void Form1::Command1_Click() {
    const QString t = Text1->text();
    const QString drive = Drive1->Drive();
    if (const std::optional<QString> refusal = RefusalOf(t, drive)) {
        MsgBox(*refusal, kHideTitle);
        return;
    }
    const qsizetype last_backslash = t.lastIndexOf(QLatin1Char('\\'));
    const std::string item_path = t.toStdString();
    const std::string item_name = t.mid(last_backslash + 1).toStdString();

    // The register stays open, and so locked against another running copy, from the count to
    // the record, so that no two items are given the same number.
    std::optional<hiding::HiddenItemsRegister> hidden_items;
    int number = 0;
    try {
        hidden_items.emplace(hiding::HiddenItemsRegister::Open());
        number = hidden_items->RecordCount() + 1;
    } catch (const platform::WindowsError& error) {
        hidden_items.reset();
        MsgBox(QStringLiteral("Cannot Hide: ") + Text(error.what()), kHideTitle);
        return;
    }
    if (number > kLastHiddenNumber) {
        hidden_items.reset();
        MsgBox(QStringLiteral("Cannot Hide: the register already holds 32,767 hidden items, the "
                              "most it can number"),
               kHideTitle);
        return;
    }
    const std::string hidden_name = hiding::HiddenNameFor(number);
    const hiding::HiddenItemRecord record =
        hiding::HiddenItemRecord::Make(hidden_name, item_path, item_name);
    const std::string target = hiding::HidePathFor(drive.toStdString(), hidden_name);

    try {
        platform::MoveItem(item_path, target);
    } catch (const platform::WindowsError&) {
        // Closed before the message waits for the user, so that another running copy is not
        // kept from the register meanwhile.
        hidden_items.reset();
        MsgBox(kCannotHide, kHideTitle);
        return;
    }
    try {
        hidden_items->WriteRecord(number, record);
    } catch (const platform::WindowsError& write_error) {
        hidden_items.reset();
        // An item in the hiding place without a record would be lost to Unhide: bring it back.
        try {
            platform::MoveItem(target, item_path);
            MsgBox(QStringLiteral("Cannot Hide: %1\n%2 was left where it was.")
                       .arg(Text(write_error.what()), t),
                   kHideTitle);
        } catch (const platform::WindowsError& back_error) {
            MsgBox(QStringLiteral("%1 was moved to %2, but its record could not be written: %3\n"
                                  "Moving it back failed too: %4\nIt now lies at %2.")
                       .arg(t, Text(target), Text(write_error.what()), Text(back_error.what())),
                   kHideTitle);
        }
        return;
    }
    try {
        hidden_items->Close();
    } catch (const platform::WindowsError& error) {
        // The record was flushed before the close, so the item is hidden and listed.
        hidden_items.reset();
        MsgBox(QStringLiteral("%1 is hidden, but closing the register failed: %2")
                   .arg(t, Text(error.what())),
               kHideTitle);
    }

    const QString parent = t.left(last_backslash + 1);
    try {
        Dir1->SetPath(parent);
        File1->SetPath(parent);
    } catch (const platform::WindowsError&) {
        // The parent named by a typed path may be gone or unreadable; the folder list then
        // re-reads where it is, so a hidden folder vanishes from it all the same.
        Dir1->Refresh();
    }
}

void Form1::Command2_Click() {
    setEnabled(false);
    Instance<Form3>().Show();
}

void Form1::Command3_Click() {
    setEnabled(false);
    Instance<frmAbout>().Show();
}

void Form1::Command4_Click() {
    Instance<Form2>().Show();
    setEnabled(false);
}

}  // namespace forms
