#include "ui/platform/file_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>
#include <utility>

namespace orvell::platform {

namespace {

// The first local file the drag carries, or an empty string.
QString droppedFile(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls()) return {};
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return url.toLocalFile();
    return {};
}

class FileDropFilter : public QObject {
  public:
    FileDropFilter(QWidget& target, std::function<void(const QString&)> open)
        : QObject(&target), open_(std::move(open)) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                if (droppedFile(drag->mimeData()).isEmpty()) break;
                drag->acceptProposedAction();
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const QString file = droppedFile(drop->mimeData());
                if (file.isEmpty()) break;
                drop->acceptProposedAction();
                open_(file);
                return true;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void(const QString&)> open_;
};

}  // namespace

void onFileDrop(QWidget& target, std::function<void(const QString&)> open) {
    target.setAcceptDrops(true);
    target.installEventFilter(new FileDropFilter(target, std::move(open)));
}

}  // namespace orvell::platform
