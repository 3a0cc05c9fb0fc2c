#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

/// "Orbiquest9 - Mass Function -": explains the mass function in eight
/// lines of text and two formula pictures. The formulas are wording for
/// the reader; the computation is MassFunctionMath's.
class Dialog : public QWidget
{
    Q_OBJECT

public:
    Dialog();

    /// Load handler: sets the lines and writes them, joined, into Text1.
    void formLoad();

    /// The lines of the explanation, joined by carriage return and line feed.
    QStringList Lines;

    QPlainTextEdit *Text1 = nullptr;
    QPushButton *OKButton = nullptr;
    /// The icon of the mass-function picture; activating it opens the
    /// picture in the user's viewer.
    QToolButton *OLE1 = nullptr;
    QLabel *Image1 = nullptr;

    /// The file the picture is written to before the viewer opens it.
    static QString massFunctionPictureFile();

protected:
    void closeEvent(QCloseEvent *event) override;

public slots:
    void OKButton_Click();
    void OLE1_Activate();
};
