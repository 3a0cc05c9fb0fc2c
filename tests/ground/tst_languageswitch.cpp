#include "ground/languageswitch.h"

#include "support/testenvironment.h"

#include <QCoreApplication>
#include <QTest>

class LanguageSwitchTest : public QObject
{
    Q_OBJECT

private slots:
    void startsInJapaneseWithQtsOwnTexts();
    void choiceForOneRunIsNotKept();
};

void LanguageSwitchTest::startsInJapaneseWithQtsOwnTexts()
{
    TestEnvironment environment;
    LanguageSwitch::instance().start();
    QCOMPARE(LanguageSwitch::instance().current(), LanguageSwitch::Language::Japanese);
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
}

void LanguageSwitchTest::choiceForOneRunIsNotKept()
{
    TestEnvironment environment;
    LanguageSwitch::instance().choose(LanguageSwitch::Language::Japanese);
    LanguageSwitch::instance().start(LanguageSwitch::fromCode(QStringLiteral("EN")));
    QCOMPARE(LanguageSwitch::instance().current(), LanguageSwitch::Language::English);
    LanguageSwitch::instance().start();
    QCOMPARE(LanguageSwitch::instance().current(), LanguageSwitch::Language::Japanese);
}

QTEST_MAIN(LanguageSwitchTest)
#include "tst_languageswitch.moc"
