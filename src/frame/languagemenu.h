#pragma once

#include <QMenu>

class QAction;

/// The frame's menu "Language" ("言語" in Japanese) with 日本語 and English,
/// each named in its own language so a reader finds it in either. Choosing
/// one switches every open window through LanguageSwitch and keeps the
/// choice; the ticked item follows the language in force, also when a
/// `--lang` start chose it for one run.
///
/// Object names: the menu "Language", its items "languageJapanese" and
/// "languageEnglish".
class LanguageMenu : public QMenu
{
    Q_OBJECT

public:
    explicit LanguageMenu(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;

private:
    void tickCurrent();

    QAction *m_japanese = nullptr;
    QAction *m_english = nullptr;
};
