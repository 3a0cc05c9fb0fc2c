#include "capture/capturewindow.h"

#include "capture/capturefiles.h"
#include "capture/capturefolder.h"
#include "ground/colors.h"
#include "ground/controls.h"
#include "ground/formregistry.h"
#include "ground/framehost.h"
#include "ground/picturebox.h"
#include "ground/platform.h"
#include "ground/twips.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {

const QString captureTitle = QStringLiteral("Z Capture");

} // namespace

CaptureWindow::CaptureWindow()
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(captureTitle);
    // The user activates the window to be captured during the countdown;
    // this one must stay in sight meanwhile.
    setWindowFlag(Qt::WindowStaysOnTopHint);

    auto *client = new QWidget(this);
    setCentralWidget(client);

    m_thumbnailBox = new PictureBox(client);
    m_thumbnailBox->setObjectName(QStringLiteral("Picture1"));
    m_thumbnailBox->setTwipsGeometry(840, 480, 1400, 1350);
    m_thumbnailBox->setBorder(true);
    m_thumbnailBox->setBackColor(Colors::rgb(128, 255, 255));

    // Covers nearly all of the box; the user sees the cyan through it.
    m_clickArea = new QLabel(m_thumbnailBox);
    m_clickArea->setObjectName(QStringLiteral("Image1"));
    m_clickArea->setGeometry(Twips::rect(0, 0, 1455, 1335));
    m_clickArea->setAttribute(Qt::WA_TranslucentBackground);
    m_clickArea->setScaledContents(true);
    m_clickArea->installEventFilter(this);

    auto *clearButton = new QPushButton(QStringLiteral("Clear"), client);
    clearButton->setObjectName(QStringLiteral("Clear"));
    clearButton->setGeometry(Twips::rect(1080, 2040, 975, 375));
    connect(clearButton, &QPushButton::clicked, this, &CaptureWindow::clearThumbnail);

    m_countdown = new QTimer(this);
    m_countdown->setObjectName(QStringLiteral("Timer1"));
    m_countdown->setSingleShot(true);
    connect(m_countdown, &QTimer::timeout, this, &CaptureWindow::captureActiveWindow);

    QMenu *folderMenu = menuBar()->addMenu(QStringLiteral("Folder"));
    folderMenu->setObjectName(QStringLiteral("fld"));
    QAction *openFolder = Controls::menuItem(folderMenu, "fldO", QStringLiteral("Open(&O)"));
    connect(openFolder, &QAction::triggered, this, &CaptureWindow::openCaptureFolder);
}

void CaptureWindow::formLoad()
{
    m_clickArea->setToolTip(
        QStringLiteral("If you click on blue area, you can set the time of until capture active "
                       "the screen.\r\n Z Capture captures the active screen the screen1 to "
                       "screen4 in OQ9."));
    resize(Twips::size(2690, 3180));
    m_thumbnailBox->resize(Twips::size(1400, 1350));
}

void CaptureWindow::askForDelay()
{
    clearThumbnail();
    const QString answer =
        Platform::current().inputBox(QStringLiteral("What seconds do you capture?(Between 1 and 10 are apt.)\r\n"
                                                    "When you input '0', this dialog will disappear."),
                                     captureTitle);
    const CaptureFiles::DelayAnswer delay = CaptureFiles::readDelay(answer);
    switch (delay.kind) {
    case CaptureFiles::DelayAnswer::Kind::Stop:
        m_countdown->stop();
        break;
    case CaptureFiles::DelayAnswer::Kind::TooLong:
        // Refused; a countdown already running goes on.
        warn(tr("The delay must be between 1 and %1 seconds.").arg(CaptureFiles::MaxDelaySeconds));
        break;
    case CaptureFiles::DelayAnswer::Kind::Start:
        m_countdown->start(delay.seconds * 1000);
        break;
    }
}

QString CaptureWindow::wholeScreenNote()
{
    return tr(
        "Z Capture: this desktop does not tell which window is active, "
        "so the whole screen was captured.");
}

void CaptureWindow::captureActiveWindow()
{
    m_countdown->stop();
    m_countdown->setInterval(0);
    Platform &platform = Platform::current();
    const WindowCapture taken = platform.captureActiveWindow();
    const QImage &capture = taken.image;
    platform.beep();
    show();
    if (capture.isNull()) {
        warn(tr("Nothing was captured: no active window could be copied."));
        return;
    }
    if (taken.wholeScreen && !m_toldWholeScreen) {
        m_toldWholeScreen = true;
        FrameHost::current().setPanel1(wholeScreenNote());
    }
    showThumbnail(capture);
    if (saveCapture(capture)) {
        platform.messageBox(QStringLiteral("Set capture!\r\n") + CaptureFiles::fileName(m_lastNumber),
                            MsgBox::Information, captureTitle);
    }
}

bool CaptureWindow::saveCapture(const QImage &capture)
{
    const QString folder = CaptureFolder::ready();
    if (folder.isEmpty()) {
        warn(
            tr("The capture was not saved: no folder \"Capture\" can be written, "
               "neither beside the program nor in your pictures folder."));
        return false;
    }
    const int number = CaptureFiles::nextFreeNumber(folder, m_lastNumber);
    if (number == 0) {
        warn(tr("The capture was not saved: every name up to %1 is taken in %2.")
                 .arg(CaptureFiles::fileName(CaptureFiles::MaxNumber), QDir::toNativeSeparators(folder)));
        return false;
    }
    const QString path = QDir(folder).filePath(CaptureFiles::fileName(number));
    if (!CaptureFiles::saveJpeg(capture, path)) {
        warn(tr("The capture could not be written to %1.").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    m_lastNumber = number;
    return true;
}

void CaptureWindow::openCaptureFolder()
{
    const QString folder = CaptureFolder::ready();
    if (folder.isEmpty()) {
        warn(
            tr("No folder \"Capture\" can be made, neither beside the program nor "
               "in your pictures folder."));
        return;
    }
    Platform::current().shellOpen(folder, QCoreApplication::applicationDirPath());
}

void CaptureWindow::clearThumbnail()
{
    m_thumbnailBox->setPicture(QImage());
    m_clickArea->clear();
}

void CaptureWindow::showThumbnail(const QImage &capture)
{
    m_thumbnailBox->setPicture(capture);
    m_clickArea->setPixmap(QPixmap::fromImage(capture));
}

void CaptureWindow::warn(const QString &text)
{
    Platform::current().messageBox(text, MsgBox::Exclamation, captureTitle);
}

bool CaptureWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_clickArea && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton && m_clickArea->rect().contains(mouse->position().toPoint()))
            askForDelay();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CaptureWindow::closeEvent(QCloseEvent *event)
{
    unloadOnClose(this, event);
}
