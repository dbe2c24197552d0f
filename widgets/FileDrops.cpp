#include "widgets/FileDrops.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

QStringList droppedLocalFiles(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    return paths;
}

namespace {

class FileDropFilter : public QObject {
public:
    FileDropFilter(QObject *owner, std::function<void(const QStringList &)> take)
        : QObject(owner), m_take(std::move(take))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (droppedLocalFiles(drag->mimeData()).isEmpty())
                break;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            const QStringList paths = droppedLocalFiles(drop->mimeData());
            if (paths.isEmpty())
                break;
            drop->acceptProposedAction();
            m_take(paths);
            return true;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(const QStringList &)> m_take;
};

} // namespace

void acceptFileDrops(QObject *owner, std::initializer_list<QWidget *> targets,
                     std::function<void(const QStringList &paths)> take)
{
    auto *filter = new FileDropFilter(owner, std::move(take));
    for (QWidget *target : targets)
        target->installEventFilter(filter);
}
