#include "ground/languageswitch.h"

#include "support/testenvironment.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSettings>
#include <QTest>
#include <QWidget>

namespace {

/// Counts the LanguageChange events a window receives.
class ListeningWindow : public QWidget
{
public:
    int languageChanges = 0;

protected:
    void changeEvent(QEvent *event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++languageChanges;
        QWidget::changeEvent(event);
    }
};

/// Qt's own Cancel button, as the standard dialogs label it.
QString qtCancel()
{
    return QCoreApplication::translate("QPlatformTheme", "Cancel");
}

} // namespace

class LanguageSwitchTest : public QObject
{
    Q_OBJECT

private slots:
    void startsInJapaneseWithQtsOwnTexts();
    void choiceReachesOpenWindowsAndIsKept();
    void choiceForOneRunIsNotKept();
};

void LanguageSwitchTest::startsInJapaneseWithQtsOwnTexts()
{
    TestEnvironment environment;
    LanguageSwitch::instance().start();
    QCOMPARE(LanguageSwitch::instance().current(), LanguageSwitch::Language::Japanese);
    QCOMPARE(qtCancel(), QStringLiteral("キャンセル"));
}

void LanguageSwitchTest::choiceReachesOpenWindowsAndIsKept()
{
    TestEnvironment environment;
    LanguageSwitch::instance().start(LanguageSwitch::Language::Japanese);
    ListeningWindow window;
    window.show();

    LanguageSwitch::instance().choose(LanguageSwitch::Language::English);

    QTRY_VERIFY(window.languageChanges > 0);
    QCOMPARE(qtCancel(), QStringLiteral("Cancel"));
    QCOMPARE(QSettings().value(QStringLiteral("language")).toString(), QStringLiteral("en"));
    LanguageSwitch::instance().start();
    QCOMPARE(LanguageSwitch::instance().current(), LanguageSwitch::Language::English);
}

void LanguageSwitchTest::choiceForOneRunIsNotKept()
{
    TestEnvironment environment;
    LanguageSwitch::instance().choose(LanguageSwitch::Language::Japanese);
    LanguageSwitch::instance().start(LanguageSwitch::fromCode(QStringLiteral("EN")));
    QCOMPARE(LanguageSwitch::instance().current(), LanguageSwitch::Language::English);
    LanguageSwitch::instance().start();
    QCOMPARE(LanguageSwitch::instance().current(), LanguageSwitch::Language::Japanese);
    QVERIFY(!LanguageSwitch::fromCode(QStringLiteral("fr")));
}

QTEST_MAIN(LanguageSwitchTest)
#include "tst_languageswitch.moc"
