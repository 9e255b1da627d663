#pragma once

#include <QDialog>
#include <QList>
#include <QString>

class GradeInfo;
class LotteryMask;
class Prompter;
class QCheckBox;
class QLineEdit;
class TumoStatus;
class XHScrollWnd;

// "Set the mask bit": which digit positions of the level's numbers stop on the mask symbol
// instead of the drawn character, and the text the bulletin board shows for them. It edits the
// live level, on OK only; Cancel changes nothing.
class MaskDlg : public QDialog {
    Q_OBJECT
public:
    static QString Caption() { return QStringLiteral("Set the mask bit"); }
    static QString DefaultMaskChar() { return QStringLiteral("X"); }

    // Rewrites a mask list: one entry per position from the left, 1 for a masked one, each
    // flagged 1; then the character.
    static void WriteMask(LotteryMask& mask, const QList<bool>& masked, const QString& maskChar);

    MaskDlg(TumoStatus* status, GradeInfo* level, Prompter* prompter, QWidget* parent = nullptr);

    // The set-up before the dialog shows (also run by the first show).
    void OnInitDialog();
    // The check box before "On the bulletin board, use": on gives "X", off clears the box.
    void OnMaskCheck();
    // OK: the ticked positions and the character into the level, then closes.
    void OnOK();

    XHScrollWnd* Strip() const { return m_pStrip; }
    QCheckBox* MaskCheck() const { return m_pCheck; }
    QLineEdit* MaskCharBox() const { return m_pCharEdit; }

    TumoStatus* m_pStatus = nullptr;
    GradeInfo* m_pGrade = nullptr; // the live level
    XHScrollWnd* m_pStrip = nullptr;
    QString m_strMaskChar;
    int m_bMasking = 0;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateData(bool save);

    Prompter* m_pPrompter;
    QCheckBox* m_pCheck = nullptr;
    QLineEdit* m_pCharEdit = nullptr;
    bool m_bInitialised = false;
};
