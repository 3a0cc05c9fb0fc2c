#include "register/droplist.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

namespace {

bool offersText(const QDropEvent *event)
{
    return event->mimeData() && event->mimeData()->hasText();
}

} // namespace

DropList::DropList(QWidget *parent) : QListWidget(parent)
{
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
}

void DropList::dragEnterEvent(QDragEnterEvent *event)
{
    if (offersText(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropList::dragMoveEvent(QDragMoveEvent *event)
{
    if (offersText(event))
        event->acceptProposedAction();
    else
        event->ignore();
}

void DropList::dropEvent(QDropEvent *event)
{
    if (!offersText(event)) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit textDropped(event->mimeData()->text());
}
