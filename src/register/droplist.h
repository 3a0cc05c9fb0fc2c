#pragma once

#include <QListWidget>

/// A list that takes plain text dropped onto it from other programs and
/// hands it on; drops of anything else are refused.
class DropList : public QListWidget
{
    Q_OBJECT

public:
    explicit DropList(QWidget *parent = nullptr);

signals:
    void textDropped(const QString &text);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};
