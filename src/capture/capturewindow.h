#pragma once

#include <QMainWindow>

class PictureBox;
class QLabel;
class QTimer;

/// "Z Capture": after a delay the user chooses, takes a picture of the
/// active window, shows it in a thumbnail and saves it as a numbered JPEG
/// file in the capture folder. The window stays above all others so the
/// user can activate the window to be captured meanwhile.
///
/// Controls keep their designed names as objectName: the cyan box
/// "Picture1", the click area "Image1" over it, the button "Clear", the
/// countdown "Timer1", the menu "fld" and its item "fldO" (open the folder).
class CaptureWindow : public QMainWindow
{
    Q_OBJECT

public:
    CaptureWindow();
    /// Load handler: tool tip of the click area and the designed size.
    void formLoad();

    /// Status text, shown once per window, when a capture took the whole
    /// screen because the window system does not name the active window.
    static QString wholeScreenNote();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    /// Asks for the delay and starts, restarts or stops the countdown.
    void askForDelay();
    /// The countdown ran out: captures the active window and saves it.
    void captureActiveWindow();
    /// Opens the capture folder, creating it when needed.
    void openCaptureFolder();
    /// Empties the thumbnail; saved files and the numbering stay.
    void clearThumbnail();
    void showThumbnail(const QImage &capture);
    /// Saves `capture` under the next free number; false after telling the user why not.
    bool saveCapture(const QImage &capture);
    void warn(const QString &text);

    /// The cyan box that shows the last capture.
    PictureBox *m_thumbnailBox = nullptr;
    /// The click area over the box that starts a countdown; it shows the
    /// last capture stretched to the box.
    QLabel *m_clickArea = nullptr;
    /// Fires once when the countdown has run out.
    QTimer *m_countdown = nullptr;
    /// Number of the last capture this window saved; 0 before the first.
    int m_lastNumber = 0;
    bool m_toldWholeScreen = false;
};
