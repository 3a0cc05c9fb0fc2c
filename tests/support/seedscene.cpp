#include "support/seedscene.h"

#include "ground/formregistry.h"
#include "simulator/simulatorwindow.h"
#include "support/findcontrol.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

int queueAnswers(ScriptedPlatform &platform, const QString &answers)
{
    const QStringList list = answers.split(u'|');
    platform.inputAnswers.append(list);
    return int(list.size());
}

int setUpScene(ScriptedPlatform &platform, const QString &answers)
{
    const int count = queueAnswers(platform, answers);
    control<QAction>(form<SimulatorWindow>(), "Screen1")->trigger();
    return count;
}

QString boxTexts(const QObject *window, std::initializer_list<const char *> names)
{
    QStringList texts;
    for (const char *name : names)
        texts << control<QLineEdit>(window, name)->text();
    return texts.join(u'|');
}

QString onlyMessage(const ScriptedPlatform &platform, MsgBox::Styles style, const QString &title)
{
    if (platform.messageBoxes.size() != 1)
        return QStringLiteral("<%1 messages>").arg(platform.messageBoxes.size());
    const ScriptedPlatform::Box &box = platform.messageBoxes.first();
    if (box.title != title || box.style != style)
        return QStringLiteral("<title %1, style %2>").arg(box.title).arg(box.style.toInt());
    return box.prompt;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray fileContents(const QString &path, qint64 length)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArrayLiteral("<unreadable>");
    return length < 0 ? file.readAll() : file.read(length);
}
