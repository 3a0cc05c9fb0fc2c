#pragma once

#include <QStringList>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

/// "Orbiquest9 - Mass Function -": explains the mass function in eight
/// lines of text and two formula pictures. The formulas are wording for
/// the reader; the computation is MassFunctionMath's. Controls keep their
/// designed names as objectName: the text "Text1", the button "OKButton",
/// the picture's icon "OLE1" and the formula picture "Image1".
class MassFunctionExplanation : public QWidget
{
    Q_OBJECT

public:
    MassFunctionExplanation();

    /// Load handler: writes the eight lines, joined by carriage return and
    /// line feed, into Text1.
    void formLoad();

    /// The file the picture is written to before the viewer opens it.
    static QString massFunctionPictureFile();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    /// The icon "OLE1" was activated: writes the picture, opens it in the
    /// user's viewer.
    void openFormulaPicture();

    QPlainTextEdit *m_explanationBox = nullptr;
};
