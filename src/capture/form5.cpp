#include "capture/form5.h"

#include "ground/colors.h"
#include "ground/controls.h"
#include "ground/formregistry.h"
#include "ground/picturebox.h"
#include "ground/platform.h"
#include "ground/twips.h"
#include "capture/capturefiles.h"
#include "capture/capturefolder.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

const QString captureTitle = QStringLiteral("Z Capture");

} // namespace

Form5::Form5()
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(captureTitle);
    // The user activates the window to be captured during the countdown;
    // this one must stay in sight meanwhile.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    auto *client = new QWidget(this);
    setCentralWidget(client);

    Picture1 = new PictureBox(client);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setTwipsGeometry(840, 480, 1400, 1350);
    Picture1->setBorder(true);
    Picture1->setBackColor(Colors::rgb(128, 255, 255));

    // Covers nearly all of Picture1; the user sees the cyan box through it.
    Image1 = new QLabel(Picture1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(Twips::rect(0, 0, 1455, 1335));
    Image1->setAttribute(Qt::WA_TranslucentBackground);
    Image1->setScaledContents(true);
    Image1->installEventFilter(this);

    Clear = new QPushButton(QStringLiteral("Clear"), client);
    Clear->setObjectName(QStringLiteral("Clear"));
    Clear->setGeometry(Twips::rect(1080, 2040, 975, 375));
    connect(Clear, &QPushButton::clicked, this, &Form5::Clear_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &Form5::Timer1_Timer);

    fld = menuBar()->addMenu(QStringLiteral("Folder"));
    fld->setObjectName(QStringLiteral("fld"));
    fldO = Controls::menuItem(fld, "fldO", QStringLiteral("Open(&O)"));
    connect(fldO, &QAction::triggered, this, &Form5::fldO_Click);
}

void Form5::formLoad()
{
    Image1->setToolTip(
        QStringLiteral("If you click on blue area, you can set the time of until capture active "
                       "the screen.\r\n Z Capture captures the active screen the screen1 to "
                       "screen4 in OQ9."));
    resize(Twips::size(2690, 3180));
    Picture1->resize(Twips::size(1400, 1350));
}

void Form5::Image1_Click()
{
    clearThumbnail();
    const QString answer = Platform::current().inputBox(
        QStringLiteral("What seconds do you capture?(Between 1 and 10 are apt.)\r\n"
                       "When you input '0', this dialog will disappear."),
        captureTitle);
    const CaptureFiles::DelayAnswer delay = CaptureFiles::readDelay(answer);
    switch (delay.kind) {
    case CaptureFiles::DelayAnswer::Kind::Stop:
        Timer1->stop();
        break;
    case CaptureFiles::DelayAnswer::Kind::TooLong:
        // Refused; a countdown already running goes on.
        warn(QStringLiteral("The delay must be between 1 and %1 seconds.")
                 .arg(CaptureFiles::MaxDelaySeconds));
        break;
    case CaptureFiles::DelayAnswer::Kind::Start:
        delaySeconds = delay.seconds;
        Timer1->start(delaySeconds * 1000);
        break;
    }
}

void Form5::Timer1_Timer()
{
    Timer1->stop();
    Timer1->setInterval(0);
    Platform &platform = Platform::current();
    const QImage capture = platform.captureActiveWindow();
    platform.beep();
    show();
    if (capture.isNull()) {
        warn(QStringLiteral("Nothing was captured: no active window could be copied."));
        return;
    }
    showThumbnail(capture);
    if (saveCapture(capture)) {
        platform.messageBox(QStringLiteral("Set capture!\r\n") + CaptureFiles::fileName(captureCount),
                            MsgBox::Information, captureTitle);
    }
}

bool Form5::saveCapture(const QImage &capture)
{
    const QString folder = CaptureFolder::ready();
    if (folder.isEmpty()) {
        warn(QStringLiteral("The capture was not saved: no folder \"Capture\" can be written, "
                            "neither beside the program nor in your pictures folder."));
        return false;
    }
    const int number = CaptureFiles::nextFreeNumber(folder, captureCount);
    if (number == 0) {
        warn(QStringLiteral("The capture was not saved: every name up to %1 is taken in %2.")
                 .arg(CaptureFiles::fileName(CaptureFiles::MaxNumber), QDir::toNativeSeparators(folder)));
        return false;
    }
    const QString path = QDir(folder).filePath(CaptureFiles::fileName(number));
    if (!CaptureFiles::saveJpeg(capture, path)) {
        warn(QStringLiteral("The capture could not be written to %1.")
                 .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    captureCount = number;
    return true;
}

void Form5::Clear_Click()
{
    clearThumbnail();
}

void Form5::fldO_Click()
{
    const QString folder = CaptureFolder::ready();
    if (folder.isEmpty()) {
        warn(QStringLiteral("No folder \"Capture\" can be made, neither beside the program nor "
                            "in your pictures folder."));
        return;
    }
    Platform::current().shellOpen(folder, QCoreApplication::applicationDirPath());
}

void Form5::clearThumbnail()
{
    Picture1->setPicture(QImage());
    Image1->clear();
}

void Form5::showThumbnail(const QImage &capture)
{
    Picture1->setPicture(capture);
    Image1->setPixmap(QPixmap::fromImage(capture));
}

void Form5::warn(const QString &text)
{
    Platform::current().messageBox(text, MsgBox::Exclamation, captureTitle);
}

bool Form5::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && Image1->rect().contains(mouse->position().toPoint()))
            Image1_Click();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Form5::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}
