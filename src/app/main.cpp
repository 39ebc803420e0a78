// Tessarn: hides files and folders in their drive's hiding place and brings them back.
#include <QApplication>
#include <string>
#include <vector>

#include "app/Module1.h"
#include "app/machine_start.h"
#include "platform/memory.h"

int main(int argc, char** argv) {
    // A full register is 13 MB, read whole at each opening of the list of hidden items, several
    // times over; kept for reuse, its blocks cost a second opening nothing to clear again.
    platform::KeepLargeBlocksForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessarn"));
    // Ties the windows to the installed desktop entry, for its icon and name in task bars.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSARN_APP_ID));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(TESSARN_VERSION_MAJOR)
                                            .arg(TESSARN_VERSION_MINOR)
                                            .arg(TESSARN_VERSION_REVISION));
    // The program ends when its last window unloads; the forms runtime decides that, since a
    // window being replaced by the next (login by main window) is briefly the only one shown.
    QApplication::setQuitOnLastWindowClosed(false);
    // The icon lives in the forms library; a static library's resources must be pulled in.
    Q_INIT_RESOURCE(tessarn);

    if (!app::PrepareMachineOrTell()) return 1;
    // Qt has taken its own options out of argv; the rest are host paths, passed on byte for byte.
    app::Main(std::vector<std::string>(argv + 1, argv + argc));
    return QApplication::exec();
}
