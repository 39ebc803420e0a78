#include "forms/frmAbout.h"

#include <QApplication>
#include <algorithm>

#include "forms/Form1.h"
#include "forms/message_box.h"
#include "forms/twips.h"

namespace forms {
namespace {

QString ApplicationTitle() {
    const QString name = QApplication::applicationName();
    return name.isEmpty() ? kApplicationTitle : name;
}

}  // namespace

frmAbout::frmAbout()
    : Form(QStringLiteral("About MyApp"), 5730, 2985, Border::kFixedDialog),
      picIcon(new QLabel(this)),
      lblTitle(new QLabel(QStringLiteral("Application Title"), this)),
      lblVersion(new QLabel(QStringLiteral("Version"), this)),
      lblDescription(new QLabel(
          QStringLiteral("Hides your confidencial files and folders from pyring eyes"), this)),
      Line1{new Line(this, QColor(255, 255, 255), 2), new Line(this, QColor(128, 128, 128))},
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      lblDisclaimer(new QLabel(QStringLiteral("For questions about Tessarn, read its README.md: "
                                              "in /usr/share/doc/tessarn on Linux, in Tessarn's "
                                              "folder under Program Files on Windows."),
                               this)) {
    PlaceTwips(picIcon, 240, 240, 540, 540);
    PlaceTwips(lblTitle, 1050, 240, 3885, 480);
    PlaceTwips(lblVersion, 1050, 780, 3885, 225);
    PlaceTwips(lblDescription, 1050, 1125, 4125, 330);
    Line1[0]->PlaceTwips(120, 1560, 5520, 1560);
    Line1[1]->PlaceTwips(120, 1560, 5520, 1560);
    PlaceTwips(cmdOK, 4245, 1680, 1260, 345);
    PlaceTwips(lblDisclaimer, 240, 1800, 3870, 1065);

    picIcon->setPixmap(windowIcon().pixmap(32, 32));
    picIcon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picIcon->setAccessibleName(QStringLiteral("Program icon"));
    for (QLabel* label : {lblTitle, lblVersion, lblDescription, lblDisclaimer}) {
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    for (QLabel* label : {lblTitle, lblDescription, lblDisclaimer}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(palette);
    }
    lblDisclaimer->setWordWrap(true);
    // A font wider than the one the box was laid out for would clip the description's last
    // word; the box has room for it on the right.
    lblDescription->resize(std::max(lblDescription->width(), lblDescription->sizeHint().width()),
                           lblDescription->height());
    SetDefaultButton(cmdOK);
    SetCancelButton(cmdOK);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click, Qt::DirectConnection);
}

void frmAbout::Form_Load() {
    setWindowTitle(QStringLiteral("About ") + ApplicationTitle());
    lblVersion->setText(QStringLiteral("Version %1.%2.%3")
                            .arg(TESSARN_VERSION_MAJOR)
                            .arg(TESSARN_VERSION_MINOR)
                            .arg(TESSARN_VERSION_REVISION));
    lblTitle->setText(ApplicationTitle());
}

void frmAbout::cmdOK_Click() {
    Unload();
}

void frmAbout::Form_Unload(int& Cancel) {
    (void)Cancel;
    Instance<Form1>().setEnabled(true);
}

}  // namespace forms
