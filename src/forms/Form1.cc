#include "forms/Form1.h"

#include <limits>
#include <string>

#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/frmAbout.h"
#include "forms/message_box.h"
#include "forms/twips.h"
#include "hiding/hide.h"
#include "platform/windows_error.h"

namespace forms {
namespace {

const QString kDriveTitle = QStringLiteral("Error!!!!");
const QString kHideTitle = QStringLiteral("Error!!!!!");
const QString kCannotHide =
    QStringLiteral("Cannot Hide Drive or File or Folders on Removable Media");

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
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
    const hiding::HideOutcome outcome =
        hiding::Hide(t.toStdString(), Drive1->Drive().toStdString());
    switch (outcome.result) {
        case hiding::HideOutcome::Result::kMoveFailed:
            MsgBox(kCannotHide, kHideTitle);
            return;
        case hiding::HideOutcome::Result::kRefused:
        case hiding::HideOutcome::Result::kNotHidden:
        case hiding::HideOutcome::Result::kUnsettled:
            MsgBox(Text(outcome.message), kHideTitle);
            return;
        case hiding::HideOutcome::Result::kHidden:
            // A note on a Hide that went through is no error.
            if (!outcome.message.empty()) MsgBox(Text(outcome.message));
            break;
    }

    const QString parent = t.left(t.lastIndexOf(QLatin1Char('\\')) + 1);
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
