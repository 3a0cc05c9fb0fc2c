#include "about/aboutwindow.h"
#include "capture/capturewindow.h"
#include "files/plotfiles.h"
#include "frame/mainframe.h"
#include "frame/startup.h"
#include "ground/formregistry.h"
#include "ground/languageswitch.h"
#include "lab/keplerlab.h"
#include "massfunction/massfunctionexplanation.h"
#include "massfunction/massfunctionwindow.h"
#include "register/registrationwindow.h"
#include "rv/velocitycurvewindow.h"
#include "simulator/simulatorwindow.h"
#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QStyle>
#include <QTabWidget>
#include <QTest>

using Language = LanguageSwitch::Language;
Q_DECLARE_METATYPE(LanguageSwitch::Language)

namespace {

/// What a reader sees of `what` with every window freshly loaded.
QString shownText(const QString &what, ScriptedPlatform &platform)
{
    if (what == QLatin1String("Screen1 P prompt")) {
        setUpScene(platform, QStringLiteral("0"));
        return platform.inputBoxes.value(0).prompt;
    }
    if (what == QLatin1String("Screen2 Earth-mass box"))
        return control<QCheckBox>(form<MassFunctionWindow>(), "Check1")->text();
    if (what == QLatin1String("Screen2 name of row 10")) {
        MassFunctionWindow *window = form<MassFunctionWindow>();
        control<QListWidget>(window, "List1")->setCurrentRow(10);
        return control<QLineEdit>(window, "Text2")->text();
    }
    if (what == QLatin1String("Load dialogue title")) {
        PlotFiles::ShowOpenFileDialog(nullptr);
        return platform.openTitles.value(0);
    }
    if (what == QLatin1String("Screen1 menu item"))
        return control<QAction>(form<SimulatorWindow>(), "Screen1")->text();
    if (what == QLatin1String("frame Language menu"))
        return control<QMenu>(form<MainFrame>(), "Language")->title();
    if (what == QLatin1String("About licence"))
        return control<QLabel>(form<AboutWindow>(), "lblLicence")->text();
    KeplerLab::open();
    if (what == QLatin1String("lab File menu"))
        return control<QMenu>(form<KeplerLab>(), "labFileMenu")->title();
    if (what == QLatin1String("lab Observations fit button"))
        return control<QPushButton>(form<KeplerLab>(), "fitButton")->text();
    return QStringLiteral("<unknown %1>").arg(what);
}

/// Every window a reader can open, shown.
QList<QWidget *> openEveryWindow()
{
    form<SimulatorWindow>()->showInFrame();
    KeplerLab::open();
    QList<QWidget *> windows{form<MainFrame>(),          form<MassFunctionWindow>(),     form<VelocityCurveWindow>(),
                             form<RegistrationWindow>(), form<CaptureWindow>(),          form<AboutWindow>(),
                             form<KeplerLab>(),          form<MassFunctionExplanation>()};
    for (QWidget *window : windows)
        window->show();
    return windows;
}

/// What a button's frame, or a check box's mark, takes of its width.
int decorationWidth(const QAbstractButton *button)
{
    const QStyle *style = button->style();
    if (qobject_cast<const QCheckBox *>(button))
        return style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, button)
            + style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, button);
    return style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
        + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
}

} // namespace

class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void textsByLanguage_data();
    void textsByLanguage();
    void switchRetranslatesOpenWindowsAndIsKept();
    void commandLineChoosesForOneRun_data();
    void commandLineChoosesForOneRun();
    void textsFitTheirControls_data();
    void textsFitTheirControls();
};

void TestLanguages::textsByLanguage_data()
{
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("what");
    QTest::addColumn<QString>("expected");
    const Language ja = Language::Japanese;
    const Language en = Language::English;
    // The Japanese texts as the designed program shows them, byte for byte.
    const QList<std::tuple<const char *, QString, QString>> rows{
        {"Screen1 P prompt", "惑星の公転周期P(days)を入力/「Enter」/0入力でStop",
         "Enter the planet's period P (days) / Enter or 0 stops"},
        {"Screen2 Earth-mass box", "M_{E}(地球質量)", "M_{E}(Earth masses)"},
        {"Screen2 name of row 10", "47UMa b/大熊座47番星惑星 b", "47UMa b/47 Ursae Majoris planet b"},
        {"Load dialogue title", "ファイルを開く", "Open File"},
        // The designed English captions stay English in Japanese.
        {"Screen1 menu item", "Screen1(&F1)", "Screen1(&F1)"},
        {"frame Language menu", "言語", "Language"},
        {"About licence", "ライセンス: GPL-3.0-or-later", "Licence: GPL-3.0-or-later"},
        {"lab File menu", "ファイル(&F)", "File(&F)"},
        {"lab Observations fit button", "フィット", "Fit"},
    };
    for (const auto &[what, japanese, english] : rows) {
        QTest::addRow("%s, Japanese", what) << ja << QString::fromLatin1(what) << japanese;
        QTest::addRow("%s, English", what) << en << QString::fromLatin1(what) << english;
    }
}

void TestLanguages::textsByLanguage()
{
    QFETCH(Language, language);
    QFETCH(QString, what);
    ScriptedPlatform platform;
    TestEnvironment environment(language);
    QTEST(shownText(what, platform), "expected");
}

void TestLanguages::switchRetranslatesOpenWindowsAndIsKept()
{
    ScriptedPlatform platform;
    TestEnvironment environment(Language::Japanese);
    openEveryWindow();
    MainFrame *frame = form<MainFrame>();

    control<QAction>(frame, "languageEnglish")->trigger();

    QTRY_COMPARE(control<QCheckBox>(form<MassFunctionWindow>(), "Check1")->text(),
                 QStringLiteral("M_{E}(Earth masses)"));
    QCOMPARE(control<QGroupBox>(form<KeplerLab>(), "derivedBox")->title(), QStringLiteral("Derived values"));
    QCOMPARE(control<QPushButton>(form<KeplerLab>(), "fitButton")->text(), QStringLiteral("Fit"));
    QCOMPARE(control<QTabWidget>(form<KeplerLab>(), "labTabs")->tabText(1), QStringLiteral("Observations"));
    QCOMPARE(control<QMenu>(frame, "Language")->title(), QStringLiteral("Language"));
    QVERIFY(control<QAction>(frame, "languageEnglish")->isChecked());
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    QCOMPARE(QSettings().value(QStringLiteral("language")).toString(), QStringLiteral("en"));
}

void TestLanguages::commandLineChoosesForOneRun_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("language"); // -1 none, else the Language
    QTest::newRow("no option") << QStringList{"orbiquest9"} << -1;
    QTest::newRow("--lang en") << QStringList{"orbiquest9", "--lang", "en"} << int(Language::English);
    QTest::newRow("--lang=ja") << QStringList{"orbiquest9", "--lang=ja"} << int(Language::Japanese);
    QTest::newRow("no language: ignored") << QStringList{"orbiquest9", "--lang", "fr"} << -1;
}

void TestLanguages::commandLineChoosesForOneRun()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, language);
    const std::optional<Language> chosen = Startup::languageForThisRun(arguments);
    QCOMPARE(chosen ? int(*chosen) : -1, language);
}

void TestLanguages::textsFitTheirControls_data()
{
    QTest::addColumn<Language>("language");
    QTest::newRow("Japanese") << Language::Japanese;
    QTest::newRow("English") << Language::English;
}

void TestLanguages::textsFitTheirControls()
{
    QFETCH(Language, language);
    ScriptedPlatform platform;
    TestEnvironment environment(language);
    QStringList clipped;
    for (QWidget *window : openEveryWindow()) {
        for (QWidget *widget : window->findChildren<QWidget *>()) {
            if (!widget->isVisibleTo(window))
                continue;
            QString text;
            int room = 0;
            if (auto *label = qobject_cast<QLabel *>(widget);
                label && !label->wordWrap() && label->textFormat() != Qt::RichText) {
                text = label->text();
                room = label->contentsRect().width() - 2 * label->margin() - label->indent();
            } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
                text = button->text();
                room = button->width() - decorationWidth(button);
            }
            // The first line, without its access-key marker.
            text = text.remove(QLatin1Char('&')).section(QLatin1Char('\n'), 0, 0);
            if (text.isEmpty())
                continue;
            const int needed = widget->fontMetrics().horizontalAdvance(text);
            if (needed > room)
                clipped << QStringLiteral("%1/%2 \"%3\": %4 > %5 px")
                               .arg(window->objectName(), widget->objectName(), text, QString::number(needed),
                                    QString::number(room));
        }
    }
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
