#pragma once

#include <QTabWidget>

/// The analyses of the kept points under the plots, one page each: the
/// periodogram first, then the pages others add (the spectral window, the
/// detectability map …). A tab shows its page's windowTitle and follows it,
/// so a page names itself and renames itself when the language changes.
/// Object name "analysisTabs".
class AnalysisTabs : public QTabWidget
{
    Q_OBJECT

public:
    explicit AnalysisTabs(QWidget *parent = nullptr);

    /// Adds `page` as the last tab, titled after its windowTitle.
    void addPage(QWidget *page);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
