#include "frame/languagemenu.h"

#include "ground/languageswitch.h"

#include <QActionGroup>
#include <QEvent>

LanguageMenu::LanguageMenu(QWidget *parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("Language"));
    auto *group = new QActionGroup(this);
    group->setExclusive(true);
    const auto addLanguage = [this, group](const char *name, const QString &caption,
                                           LanguageSwitch::Language language) {
        QAction *action = addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [language] { LanguageSwitch::instance().choose(language); });
        return action;
    };
    m_japanese = addLanguage("languageJapanese", QStringLiteral("日本語"), LanguageSwitch::Language::Japanese);
    m_english = addLanguage("languageEnglish", QStringLiteral("English"), LanguageSwitch::Language::English);
    connect(&LanguageSwitch::instance(), &LanguageSwitch::changed, this, &LanguageMenu::tickCurrent);
    setTitle(tr("Language"));
    tickCurrent();
}

void LanguageMenu::tickCurrent()
{
    const bool english = LanguageSwitch::instance().current() == LanguageSwitch::Language::English;
    (english ? m_english : m_japanese)->setChecked(true);
}

void LanguageMenu::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        setTitle(tr("Language"));
    QMenu::changeEvent(event);
}
