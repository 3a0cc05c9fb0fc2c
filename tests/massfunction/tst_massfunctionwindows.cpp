#include "ground/formregistry.h"
#include "massfunction/massfunctionexplanation.h"
#include "massfunction/massfunctionwindow.h"
#include "support/findcontrol.h"
#include "support/seedscene.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestMassFunctionWindows : public QObject
{
    Q_OBJECT

private slots:
    void rowClick_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("explanation");

        QTest::newRow("heading") << 0 << "Planet"
                                 << "Display about explanation of the planet or the planetary system in this.";
        QTest::newRow("55Cnc c has no explanation") << 6 << QStringLiteral("55Cnc c/かに座55番星 惑星 c") << QString();
    }

    void rowClick()
    {
        QFETCH(int, row);
        TestEnvironment environment(LanguageSwitch::Language::Japanese);
        MassFunctionWindow *window = form<MassFunctionWindow>();
        window->show();
        auto *list = control<QListWidget>(window, "List1");
        QCOMPARE(list->height(), 42); // the designed 630 twips
        // Rows 0 to 2 lie wholly inside the list without scrolling.
        QVERIFY(list->visualItemRect(list->item(2)).bottom() < list->viewport()->height());

        auto *explanationBox = control<QPlainTextEdit>(window, "Text4");
        control<QLineEdit>(window, "Text5")->setText(QStringLiteral("Planet"));
        explanationBox->setPlainText(QStringLiteral("the previous row's"));
        list->setCurrentRow(row);
        QTEST(control<QLineEdit>(window, "Text2")->text(), "name");
        QTEST(explanationBox->toPlainText(), "explanation");
        // The results belong to the last set-up, not to the chosen row.
        QCOMPARE(control<QLineEdit>(window, "Text5")->text(), QString());
    }

    void listRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("period");
        QTest::addColumn<double>("velocity");

        // P (days) and K (m/s) of the first and last planet; that the catalog
        // carries the published elements is tst_catalog's to check.
        QTest::newRow("row 1") << 1 << 4.230785 << 55.94;
        QTest::newRow("row 15") << 15 << 804.9 << 418.0;
    }

    void listRows()
    {
        QFETCH(int, row);
        TestEnvironment environment(LanguageSwitch::Language::Japanese);
        auto *list = control<QListWidget>(form<MassFunctionWindow>(), "List1");
        QCOMPARE(list->count(), 16);
        const QStringList fields = list->item(row)->text().split(u' ', Qt::SkipEmptyParts);
        QCOMPARE(fields.size(), 3);
        QCOMPARE(fields.at(0), QString::number(row) + u'.');
        QTEST(fields.at(1).toDouble(), "period");
        QTEST(fields.at(2).toDouble(), "velocity");
    }

    void realDataFollowsTheShownPlanet()
    {
        SeedScene scene;
        MassFunctionWindow *window = form<MassFunctionWindow>();
        // The window alone: what the lab does with the request is the lab's test.
        QObject::disconnect(window, &MassFunctionWindow::realDataRequested, nullptr, nullptr);
        QSignalSpy requested(window, &MassFunctionWindow::realDataRequested);
        auto *button = control<QPushButton>(window, "realDataButton");
        auto *list = control<QListWidget>(window, "List1");
        QVERIFY(!button->isEnabled());
        // HD 137510 b: no measurements shipped; HD 202206 c: its star's are.
        list->setCurrentRow(15);
        QVERIFY(!button->isEnabled());
        list->setCurrentRow(14);
        QVERIFY(button->isEnabled());
        button->click();
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested.takeFirst().first().toInt(), 14);

        // A set-up that hits the catalog shows that planet, whatever the list says.
        list->setCurrentRow(15);
        setUpScene(scene.platform, QStringLiteral("4.230785|55.94"));
        QVERIFY(button->isEnabled());
        button->click();
        QCOMPARE(requested.size(), 1);
        QCOMPARE(requested.takeFirst().first().toInt(), 1);
        setUpScene(scene.platform, QStringLiteral("10|50||90|0.05|1"));
        QVERIFY(!button->isEnabled());
    }

    void cautionOnClearingOnly()
    {
        SeedScene scene;
        MassFunctionWindow *window = form<MassFunctionWindow>();
        auto *earthMassBox = control<QCheckBox>(window, "Check1");
        auto *unitLabel = control<QLabel>(window, "Label6");
        earthMassBox->setChecked(true);
        QCOMPARE(unitLabel->text(), QStringLiteral("M_{E}(地球質量)"));
        QVERIFY(window->showsEarthMasses());
        QVERIFY(scene.platform.messageBoxes.isEmpty());

        earthMassBox->setChecked(false);
        QCOMPARE(onlyMessage(scene.platform, MsgBox::OkOnly | MsgBox::Exclamation, QStringLiteral("Caution!")),
                 QStringLiteral("Orbiquest9 calaculates at Mass of Jupiter."));
        QCOMPARE(unitLabel->text(), QStringLiteral("M_{JUP}(木星質量)"));
        QVERIFY(!window->showsEarthMasses());
    }

    void dialog()
    {
        const QString equals = QStringLiteral("＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝＝");
        const QStringList lines = {
            // f(m) = P K³ (1 − e²)^(3/2) / 2πG, so m ≈ K √(1 − e²) (P M² / 2πG)^(1/3).
            QStringLiteral("m = (Nsin i)^3 / (M + N)^2=K^3 * P{(1 - e^2)^3}^(1/2) / 2πG"),
            equals,
            QStringLiteral("Nz = Nsin(i) ～ {K(1 - e^2)^(1/2)} * {P(M)^2 / 2πG}^(1/3)"),
            equals,
            QStringLiteral("　This is a important equation to calculate minimum mass of the planets which "
                           "is called 'Mass Function'."),
            "If we know the dates of the exoplanets when newly astronomers which is called 'Orbiquest' "
            "have discovered the exoplanets, ",
            "this would be able to calculate if actually you don't observe the exoplanetary system. If "
            "you calculated with this equation, you would get near the observational result in CNE.",
            "Orbiquests judge mass size of the heavenlybody to know with Mass Function. In the end of "
            "right side equation is makes up of the two observational volumes that are P and K ."};
        TestEnvironment environment(LanguageSwitch::Language::Japanese);
        // One window of each kind is tst_windows' to check.
        QCOMPARE(control<QPlainTextEdit>(form<MassFunctionExplanation>(), "Text1")->toPlainText(), lines.join(u'\n'));
    }
};

QTEST_MAIN(TestMassFunctionWindows)
#include "tst_massfunctionwindows.moc"
