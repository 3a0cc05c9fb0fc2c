#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

/// The About window: title, version in three forms, the maker's notice and
/// a link button to the maker's page.
class frmAbout1 : public QWidget
{
    Q_OBJECT

public:
    frmAbout1();

    /// Load handler: captions from the application's title and version.
    void formLoad();

    QLabel *lblTitle = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblVersion2 = nullptr;
    QLabel *lblVersion3 = nullptr;
    QLabel *lblDescription = nullptr;
    QLabel *picIcon = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *cmdOK = nullptr;

public slots:
    void cmdOK_Click();
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
};
