#include "forms/qt/drops.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/given_items.h"

namespace forms::qt {
namespace {

// The host paths of the local files and folders a drag carries, in its order.
std::vector<std::string> LocalPathsOf(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data == nullptr || !data->hasUrls()) return paths;
    for (const QUrl& url : data->urls()) {
        // The host's own bytes, not a text: a host name need not be valid UTF-8.
        if (url.isLocalFile()) paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    }
    return paths;
}

// Watches the window and its text boxes for drags of files and folders, and leaves every other
// drag (a text dragged into a text box) to the widget.
class DropWatch : public QObject {
  public:
    DropWatch(Form& form, QObject* parent) : QObject(parent), form_(form) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDropEvent*>(event);
                if (LocalPathsOf(drag->mimeData()).empty()) break;
                // A copy, never a move: a file manager told that its items moved may delete them.
                if (TakesDrops(form_) && (drag->possibleActions() & Qt::CopyAction)) {
                    drag->setDropAction(Qt::CopyAction);
                    drag->accept();
                } else {
                    drag->ignore();
                }
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const std::vector<std::string> paths = LocalPathsOf(drop->mimeData());
                if (paths.empty()) break;
                drop->setDropAction(Qt::CopyAction);
                drop->accept();
                UserDropped(form_, paths);
                return true;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    Form& form_;
};

}  // namespace

void AcceptDrops(Form& form, QWidget* window) {
    if (!IsDropTarget(form)) return;
    auto* watch = new DropWatch(form, window);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        if (child->acceptDrops()) child->installEventFilter(watch);
    }
    window->setAcceptDrops(true);
    window->installEventFilter(watch);
}

}  // namespace forms::qt
