#pragma once

#include "model/LotteryBanner.h"

#include <QDialog>

#include <memory>

class GradeInfo;
class MessageBoxPrompter;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The banner of the current prize level, a modeless window over the draw screen: the banner
// movie, its rectangle and whether it is shown. Apply, "Visual design" and OK write into the live
// level at once; Cancel drops only what was typed since.
//
// The draw window's "Banner options":
//     auto* dlg = new BannerShow(CurGrade(), this);
//     connect(dlg, &BannerShow::applyGrade, this, &CTumoDlg::ApplyGrade);  // (level, before)
//     connect(dlg, &BannerShow::bannerLayoutRequested, this, [this] { BeginBannerLayout(0); });
//     connect(dlg, &BannerShow::closed, this, &CTumoDlg::OnBannerClosed);  // was UM_BANNER_CLOSED
//     dlg->show();
// After a placement the draw window hands back the banner's rectangle with SetPosition. The
// window never deletes itself: the receiver of `closed` does.
class BannerShow : public QDialog {
    Q_OBJECT
public:
    // `level` is the live current level; it must outlive the window. Without a prompter the
    // window shows its own message boxes and file chooser.
    explicit BannerShow(GradeInfo* level, QWidget* parent = nullptr, Prompter* prompter = nullptr);
    ~BannerShow() override;

    // A stored banner file as the window shows it: without a separator it is a file of the
    // program folder.
    static QString ShownFile(const QString& stored);
    static QString FileFilter();

    // The banner's rectangle after a placement (x, y, width, height in draw window coordinates):
    // into the position fields, and every control refreshed from the fields.
    void SetPosition(const QRect& rect);

    void OnShowClicked();
    void OnBrowse();
    // Each false, with the prompt shown and the level untouched, when a position is refused.
    bool OnApply();
    bool OnVisualDesign();

    const LotteryBanner& WorkingBanner() const { return m_banner; }
    QCheckBox* ShowCheck() const { return m_pShow; }
    QLineEdit* FileEdit() const { return m_pFile; }
    // 0 x, 1 y, 2 width, 3 height.
    QLineEdit* PositionEdit(int index) const { return m_pPos[index]; }
    QPushButton* BrowseButton() const { return m_pBrowse; }
    QPushButton* DesignButton() const { return m_pDesign; }
    bool IsClosed() const { return m_bClosed; }

    int m_bShow = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    QString m_strFile;
    int m_nX = 0;
    int m_nY = 0;

public Q_SLOTS:
    void accept() override;
    void reject() override;

Q_SIGNALS:
    // Put `level` on the screen, `previous` being its state before the edit (CTumoDlg::ApplyGrade).
    // Emitted directly: `previous` is valid during the call only.
    void applyGrade(GradeInfo* level, GradeInfo* previous);
    // "Visual design": place the banner with the mouse (CTumoDlg::BeginBannerLayout(0)).
    void bannerLayoutRequested();
    // The window is gone: 1 after OK, 0 after Cancel or the close box. Delivered through the
    // event queue, so the receiver may delete the window.
    void closed(int ok);

private:
    void BuildControls();
    void WriteControls();
    bool ReadControls();
    void EnableControls(bool enable);
    bool Save();
    void Finish(int result);

    LotteryBanner m_banner; // the working banner
    GradeInfo* m_pGrade;
    std::unique_ptr<MessageBoxPrompter> m_pOwnPrompter;
    Prompter* m_pPrompter;
    QCheckBox* m_pShow = nullptr;
    QLineEdit* m_pFile = nullptr;
    QPushButton* m_pBrowse = nullptr;
    QLineEdit* m_pPos[4] = {};
    QPushButton* m_pDesign = nullptr;
    bool m_bClosed = false;
};
