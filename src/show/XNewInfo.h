#pragma once

#include "TumoVersion.h"

#include <QDialog>
#include <QString>

class CHyperLink;
class Prompter;
class QCheckBox;
class QLabel;

// The "New information" dialog: the program's own version beside the one the maker publishes
// (fetched by VersionCheck before the dialog opens), a link to the download page, a link to
// more resources, and the "Auto check." box, whose state is kept in tumo.ini beside the
// executable ([STATE] autoCheck, "1" or "0"). OK writes the box; Cancel and closing write
// nothing. The program compares no versions: the operator reads both.
class XNewInfo : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* kCurrentVersion = TUMO_VERSION;
    static constexpr const char* kConnectionError = "Connection error!";

    static QString DownloadUrl();
    static QString ResourceUrl();
    // tumo.ini in the program folder.
    static QString DefaultIniPath();

    explicit XNewInfo(QWidget* parent = nullptr, const QString& iniPath = DefaultIniPath());

    // Where the links report a failure to open; without one they show their own message box.
    void SetPrompter(Prompter* prompter);

    // Reads the box from the file and puts the versions and links in place. Runs on the first
    // showing; the caller sets m_strNewVersion before that.
    void OnInitDialog();
    // The OK button.
    void OnClickedOk();

    // The text the download link shows for a fetched version (empty: the connection failed).
    static QString NewerVersionText(const QString& caption, const QString& version);
    // The leading decimal number of a text, as the file's value is read: blanks, a sign, digits;
    // 0 when there are none.
    static int LeadingNumber(const QString& text);

    QLabel* CurrentVersionLabel() const { return m_pCurrent; }
    CHyperLink* DownloadLink() const { return m_pDownload; }
    CHyperLink* ResourceLink() const { return m_pResource; }
    QCheckBox* AutoCheckBox() const { return m_pAutoCheck; }

    int m_bAutoCheck = 1;
    QString m_strNewVersion;

    void setVisible(bool visible) override;

private:
    void BuildControls();

    QString m_strIniPath;
    Prompter* m_pPrompter = nullptr;
    QLabel* m_pCurrent = nullptr;
    CHyperLink* m_pDownload = nullptr;
    CHyperLink* m_pResource = nullptr;
    QCheckBox* m_pAutoCheck = nullptr;
    bool m_bInitDone = false;
};
