#include "forms/DriveListBox.h"

#include <QApplication>
#include <QStyle>

#include "platform/drives.h"

namespace forms {
namespace {

QString LabelOf(const platform::Drive& drive) {
    QString label = QString::fromStdString(drive.text());
    label += QStringLiteral(" [%1]").arg(QString::fromStdString(drive.label));
    if (!drive.ready) label += QStringLiteral(" not ready");
    return label;
}

}  // namespace

DriveListBox::DriveListBox(QWidget* parent) : QComboBox(parent) {
    setAccessibleName(QStringLiteral("Drives"));
    ReadDrives();
    connect(this, &QComboBox::currentIndexChanged, this, &DriveListBox::OnIndexChanged,
            Qt::DirectConnection);
}

QString DriveListBox::Drive() const {
    return currentData().toString();
}

void DriveListBox::SelectDriveQuietly(QChar letter) {
    const int index = findData(QStringLiteral("%1:").arg(letter.toLower()));
    if (index < 0) return;
    reading_ = true;
    setCurrentIndex(index);
    reading_ = false;
}

void DriveListBox::showPopup() {
    ReadDrives();
    QComboBox::showPopup();
}

void DriveListBox::ReadDrives() {
    const QString selected = Drive();
    const QIcon ready_icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
    const QIcon absent_icon = style()->standardIcon(QStyle::SP_DriveCDIcon);
    // Re-reading keeps the selection where it was and is no change of drive.
    reading_ = true;
    clear();
    for (const platform::Drive& drive : platform::ListDrives()) {
        addItem(drive.ready ? ready_icon : absent_icon, LabelOf(drive),
                QString::fromStdString(drive.text()));
    }
    const int index = findData(selected);
    if (index >= 0) setCurrentIndex(index);
    reading_ = false;
}

void DriveListBox::OnIndexChanged() {
    if (!reading_) emit Change();
}

}  // namespace forms
