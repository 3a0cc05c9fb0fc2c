#pragma once

#include <QMainWindow>

class PictureBox;
class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTimer;

/// "Z Capture": after a delay the user chooses, takes a picture of the
/// active window, shows it in a thumbnail and saves it as a numbered JPEG
/// file in the capture folder. The window stays above all others so the
/// user can activate the window to be captured meanwhile.
class Form5 : public QMainWindow
{
    Q_OBJECT

public:
    Form5();
    /// Load handler: tool tip of the click area and the designed size.
    void formLoad();

    /// Status text, shown once per window, when a capture took the whole
    /// screen because the window system does not name the active window.
    static QString wholeScreenNote();

    /// The cyan box that shows the last capture.
    PictureBox *Picture1 = nullptr;
    /// The click area over Picture1 that starts a countdown; it shows the
    /// last capture stretched to the box.
    QLabel *Image1 = nullptr;
    QPushButton *Clear = nullptr;
    /// Fires once when the countdown has run out.
    QTimer *Timer1 = nullptr;
    QMenu *fld = nullptr;
    QAction *fldO = nullptr;

    /// Number of the last capture this window saved; 0 before the first.
    int captureCount = 0;
    /// The delay last entered, in whole seconds.
    int delaySeconds = 0;

public slots:
    /// Asks for the delay and starts, restarts or stops the countdown.
    void Image1_Click();
    /// The countdown ran out: captures the active window and saves it.
    void Timer1_Timer();
    /// Empties the thumbnail; saved files and the numbering stay.
    void Clear_Click();
    /// Opens the capture folder, creating it when needed.
    void fldO_Click();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void clearThumbnail();
    void showThumbnail(const QImage &capture);
    /// Saves `capture` under the next free number; false after telling the user why not.
    bool saveCapture(const QImage &capture);
    void warn(const QString &text);

    bool m_toldWholeScreen = false;
};
