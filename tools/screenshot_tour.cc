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

#include "forms/qt/widgets.h"
#include "platform/machine.h"
#include "window_tour.h"

namespace {

namespace fs = std::filesystem;

QString output_folder;
bool all_taken = true;

// The window alone, as the X server shows it.
void Shoot(const forms::Form& form, const std::string& name) {
    QWidget* window = forms::qt::WindowOf(form);
    window->activateWindow();
    QTest::qWait(400);
    const QString id = QStringLiteral("0x%1").arg(window->winId(), 0, 16);
    const QString file = QDir(output_folder).filePath(QString::fromStdString(name) + ".png");
    const int status = QProcess::execute("import", {"-frame", "-window", id, file});
    std::printf("%s %s\n", status == 0 ? "took" : "FAILED", qPrintable(file));
    all_taken = all_taken && status == 0;
}

void Type(const forms::TextBox& box, const std::string& text) {
    QWidget* edit = forms::qt::WidgetOf(box);
    edit->setFocus();
    QTest::keyClicks(edit, QString::fromStdString(text));
}

void Click(const forms::CommandButton& button) {
    QTest::mouseClick(forms::qt::WidgetOf(button), Qt::LeftButton);
}

// A machine of the tour's own, with a home folder that its first start maps as drive H:.
void PrepareTourMachine(const fs::path& prefix) {
    fs::create_directories(prefix.string() + "-home");
    setenv("HOME", (prefix.string() + "-home").c_str(), 1);
    setenv("TESSARN_PREFIX", prefix.c_str(), 1);
    platform::PrepareMachine();
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
    PrepareTourMachine(prefix);
    FillSampleMachine(prefix / "drive_c");
    TourEveryWindow({Type, Click, Shoot});

    std::error_code ignored;
    fs::remove_all(prefix, ignored);
    fs::remove_all(prefix.string() + "-home", ignored);
    return all_taken ? 0 : 1;
}
