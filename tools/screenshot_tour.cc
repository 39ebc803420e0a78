// Opens every window of Tessarn in turn on a sample machine, as a user would meet it, and takes
// a screenshot of each with ImageMagick's `import` for the README. Run under Xvfb by
// scripts/take-screenshots; never part of the tests.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "forms/Form1.h"
#include "forms/Form2.h"
#include "forms/Form3.h"
#include "forms/Form4.h"
#include "forms/frmAbout.h"
#include "forms/frmLogin.h"
#include "forms/qt/widgets.h"
#include "password/password_store.h"
#include "platform/posix/prefix.h"
#include "register/hidden_items_register.h"
#include "register/hiding_place.h"

namespace {

namespace fs = std::filesystem;

QString output_folder;
bool all_taken = true;

// The window alone, as the X server shows it.
void Shoot(const forms::Form& form, const QString& name) {
    QWidget* window = forms::qt::WindowOf(form);
    window->activateWindow();
    QTest::qWait(400);
    const QString id = QStringLiteral("0x%1").arg(window->winId(), 0, 16);
    const QString file = QDir(output_folder).filePath(name + ".png");
    const int status = QProcess::execute("import", {"-frame", "-window", id, file});
    std::printf("%s %s\n", status == 0 ? "took" : "FAILED", qPrintable(file));
    all_taken = all_taken && status == 0;
}

void Type(const forms::TextBox& box, const QString& text) {
    QWidget* edit = forms::qt::WidgetOf(box);
    edit->setFocus();
    QTest::keyClicks(edit, text);
}

void Click(const forms::CommandButton& button) {
    QTest::mouseClick(forms::qt::WidgetOf(button), Qt::LeftButton);
}

// A machine with a few documents, two of them already hidden.
void PrepareSampleMachine(const fs::path& prefix) {
    // A home folder of the tour's own, which the first start maps as drive H:.
    fs::create_directories(prefix.string() + "-home");
    setenv("HOME", (prefix.string() + "-home").c_str(), 1);
    setenv("TESSARN_PREFIX", prefix.c_str(), 1);
    platform::PrepareMachine();
    const fs::path c = prefix / "drive_c";
    fs::create_directories(c / "Docs" / "Old");
    fs::create_directories(c / "Docs" / "Projects");
    for (const char* name : {"budget.xls", "letter.doc", "notes.txt", "report.txt"}) {
        std::ofstream(c / "Docs" / name) << name;
    }
    std::ofstream(c / "recycled" / "H1") << "diary";
    fs::create_directories(c / "recycled" / "H2");
    auto hidden_items = hiding::HiddenItemsRegister::Open();
    hidden_items.WriteRecord(
        1, hiding::HiddenItemRecord::Make("H1", "C:\\Docs\\diary.txt", "diary.txt"));
    hidden_items.WriteRecord(2,
                             hiding::HiddenItemRecord::Make("H2", "C:\\Docs\\Letters", "Letters"));
    hidden_items.Close();
    fs::current_path(c / "Docs");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarn"));
    QApplication::setQuitOnLastWindowClosed(false);
    Q_INIT_RESOURCE(tessarn);
    if (argc != 2) {
        std::fprintf(stderr, "usage: screenshot_tour OUTPUT_FOLDER\n");
        return 2;
    }
    output_folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const fs::path prefix =
        fs::temp_directory_path() / ("tessarn-tour-" + std::to_string(getpid()));
    PrepareSampleMachine(prefix);
    forms::SetOnLastFormUnloaded([] {});

    forms::Form4& first_run = forms::Instance<forms::Form4>();
    first_run.Show();
    Type(first_run.Text1, "secret");
    Shoot(first_run, "Form4");
    first_run.Unload();

    password::StoreCheckValue(password::ComputeCheckValue("secret").value());
    forms::frmLogin& login = forms::Instance<forms::frmLogin>();
    login.Show();
    Type(login.txtPassword, "secret");
    Shoot(login, "frmLogin");
    login.Unload();

    forms::Form1& main_window = forms::Instance<forms::Form1>();
    main_window.Show();
    Shoot(main_window, "Form1");

    Click(main_window.Command2);
    forms::Form3& hidden_items = forms::Instance<forms::Form3>();
    hidden_items.List1.SetListIndex(0);
    Shoot(hidden_items, "Form3");
    hidden_items.Unload();

    Click(main_window.Command4);
    Shoot(forms::Instance<forms::Form2>(), "Form2");
    forms::Instance<forms::Form2>().Unload();

    Click(main_window.Command3);
    Shoot(forms::Instance<forms::frmAbout>(), "frmAbout");
    forms::Instance<forms::frmAbout>().Unload();
    main_window.Unload();

    std::error_code ignored;
    fs::remove_all(prefix, ignored);
    fs::remove_all(prefix.string() + "-home", ignored);
    return all_taken ? 0 : 1;
}
