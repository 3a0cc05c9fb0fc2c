#pragma once

#include <QListWidget>

/// The lab's list of the built-in planets ("planetList"), in catalog order,
/// each with a few words after its name, and the whole story in its tool
/// tip, where its catalog value has since been revised (catalognotes.h). Picking a row asks for that planet.
class CatalogPanel : public QListWidget
{
    Q_OBJECT

public:
    explicit CatalogPanel(QWidget *parent = nullptr);

    /// Marks the planet called `name` as the one shown, or no row when it is
    /// not a catalog planet, without asking for it again.
    void markShown(const QString &name);

signals:
    /// The user picked catalog planet `catalogIndex`.
    void planetPicked(int catalogIndex);

protected:
    void changeEvent(QEvent *event) override;

private:
    /// Names and notes in the current language.
    void retranslate();
};
