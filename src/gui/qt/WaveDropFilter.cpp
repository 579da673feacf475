#include "gui/qt/WaveDropFilter.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>

WaveDropFilter::WaveDropFilter(QWidget* widget, Accepts accepts, Drop drop)
    : QObject(widget), m_accepts(std::move(accepts)), m_drop(std::move(drop)) {}

void WaveDropFilter::attach(QWidget* widget, Accepts accepts, Drop drop) {
    auto* filter = new WaveDropFilter(widget, std::move(accepts), std::move(drop));
    widget->setAcceptDrops(true);
    widget->installEventFilter(filter);
}

QString WaveDropFilter::droppedFile(const QMimeData* mime) {
    if (!mime || !mime->hasUrls())
        return {};
    const QList<QUrl> urls = mime->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    return QDir::toNativeSeparators(urls.first().toLocalFile());
}

bool WaveDropFilter::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!droppedFile(drag->mimeData()).isEmpty() && m_accepts()) {
                drag->acceptProposedAction();
            } else {
                drag->ignore();
            }
            // Text dragged onto a name box is not the box's to take either.
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QString path = droppedFile(drop->mimeData());
            if (path.isEmpty() || !m_accepts()) {
                drop->ignore();
                return true;
            }
            drop->acceptProposedAction();
            QPointer<WaveDropFilter> self(this);
            QTimer::singleShot(0, this, [self, file = path.toStdString()] {
                if (self)
                    self->m_drop(file);
            });
            return true;
        }
        default:
            return false;
    }
}
