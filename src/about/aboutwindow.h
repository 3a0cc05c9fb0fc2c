#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

/// The About window: title, version in three forms, the maker's notice and
/// a link button to the maker's page. Controls keep their designed names as
/// objectName: "lblTitle", "lblVersion", "lblVersion2", "lblVersion3",
/// "lblDescription", "picIcon", "Command1" (the link) and "cmdOK"; beside
/// the notice, "lblLicence" names the program's licence.
class AboutWindow : public QWidget
{
    Q_OBJECT

public:
    AboutWindow();

    /// Load handler: captions from the application's title and version.
    void formLoad();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_licence = nullptr;
    QLabel *m_title = nullptr;
    QLabel *m_versionPrefix = nullptr;
    QLabel *m_shortVersion = nullptr;
    QLabel *m_fullVersion = nullptr;
};
