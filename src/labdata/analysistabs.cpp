#include "labdata/analysistabs.h"

#include <QEvent>

AnalysisTabs::AnalysisTabs(QWidget *parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("analysisTabs"));
    setDocumentMode(true);
}

void AnalysisTabs::addPage(QWidget *page)
{
    addTab(page, page->windowTitle());
    page->installEventFilter(this);
}

bool AnalysisTabs::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowTitleChange) {
        auto *page = static_cast<QWidget *>(watched);
        const int index = indexOf(page);
        if (index >= 0)
            setTabText(index, page->windowTitle());
    }
    return QTabWidget::eventFilter(watched, event);
}
