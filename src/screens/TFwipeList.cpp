#include "screens/TFwipeList.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace orvane {

TFwipeList::TFwipeList(QWidget* parent) : QListWidget(parent)
{
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void TFwipeList::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFwipeList::dragMoveEvent(QDragMoveEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TFwipeList::dropEvent(QDropEvent* event)
{
    if (!event->mimeData()->hasUrls())
        return;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile() && onDropped) {
            // Decoded by hand so that names which are not valid UTF-8 keep their bytes.
            const QByteArray path = QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
            onDropped(path.toStdString());
        }
    event->acceptProposedAction();
}

} // namespace orvane
