#include "settings/CGuidHelpWnd.h"

#include "base/AppPaths.h"
#include "controls/CHTMLListCtrl.h"
#include "controls/ControlId.h"
#include "controls/XBalloonMsg.h"
#include "settings/GuideEntry.h"
#include "settings/GuideIcons.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>

namespace {

// The window's size in pixels, from its 194 x 326 dialog units.
constexpr QSize kInitialSize(291, 530);
constexpr QSize kButtonSize(75, 23);
constexpr int kCheckHeight = 16;

QString GuideFilePath() {
    return QDir(g_strAppFolder).filePath(QStringLiteral("GuidHelpContent.xml"));
}

QString OrDefault(const QString& text) {
    return text.isEmpty() ? CGuidHelpWnd::DefaultTipText() : text;
}

} // namespace

CGuidHelpWnd::CGuidHelpWnd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_showBalloon(ShowBalloonMsg) {
    setWindowTitle(QStringLiteral("Help"));
    setSizeGripEnabled(true);
    setModal(false);
}

CGuidHelpWnd::~CGuidHelpWnd() = default;

bool CGuidHelpWnd::Create() {
    if (!m_pList)
        OnInitDialog();
    return true;
}

void CGuidHelpWnd::OnInitDialog() {
    resize(kInitialSize);
    m_imageList = GuideIcons::Make();

    m_pList = new CHTMLListCtrl(this);
    m_pList->Create(QRect(5, 5, width() - 10, height() - 55), this);
    m_pList->SetImageList(&m_imageList);
    m_pList->SetListStyle(CHTMLListCtrl::HTMLLIST_STYLE_GRIDLINES |
                          CHTMLListCtrl::HTMLLIST_STYLE_IMAGES);
    m_pList->SetWindowList(m_pWindowList);
    m_pList->RecalcLayout();
    connect(m_pList, &CHTMLListCtrl::Notify, this, &CGuidHelpWnd::OnItemNotify);

    FillList();

    m_pOk = new QPushButton(QStringLiteral("确定"), this);
    m_pOk->setDefault(true);
    SetControlId(m_pOk, 1);
    m_pCancel = new QPushButton(QStringLiteral("取消"), this);
    m_pCancel->setAutoDefault(false);
    SetControlId(m_pCancel, 2);
    m_pCheck = new QCheckBox(QStringLiteral("Show GuidHelp at startup"), this);
    SetControlId(m_pCheck, IDC_SHOW_AT_STARTUP);
    m_pOk->resize(kButtonSize);
    m_pCancel->resize(kButtonSize);
    m_pCheck->resize(m_pCheck->sizeHint().width(), kCheckHeight);
    connect(m_pOk, &QPushButton::clicked, this, &CGuidHelpWnd::OnClickedOk);
    connect(m_pCancel, &QPushButton::clicked, this, &CGuidHelpWnd::OnClickedCancel);
    LayoutControls();
    m_pCheck->setChecked(m_bShowAtStartup);
}

void CGuidHelpWnd::FillList() {
    for (const GuideEntry& entry : ReadGuideFile(GuideFilePath()))
        m_pList->InsertItem(entry.ListText(),
                            entry.level != 0 ? GuideIcons::kDetail : GuideIcons::kTopic,
                            HTMLLIST_ITEM::kMarkup, 0, entry.level, true, entry.relCtrlId,
                            entry.tipTitle, entry.tipContent);
    m_pList->UpdateChildFlags();
    // Every entry with sub-entries starts collapsed, so only the topics show.
    for (int i = 0; i < m_pList->GetItemCount(); ++i)
        if (m_pList->GetItem(i)->bExpanded)
            m_pList->ToggleCollapse(i);
}

void CGuidHelpWnd::LayoutControls() {
    if (!m_pList)
        return;
    const int w = width();
    const int h = height();
    m_pList->setGeometry(5, 5, w - 10, h - 55);
    const int half = (w - 10) / 2;
    const int bw = m_pOk->width();
    m_pOk->move(half - bw, h - 30);
    m_pCancel->move(half + 10, h - 30);
    m_pCheck->move(half - bw, h - 46);
}

void CGuidHelpWnd::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    LayoutControls();
}

void CGuidHelpWnd::OnGuideRefresh() {
    if (m_pList)
        m_pList->viewport()->update();
}

void CGuidHelpWnd::OnItemNotify(const NMHTMLLIST& notice) {
    if (notice.hdr.code != HTMLLIST_NOTIFY_SELECT || notice.nItemNo == -1 || notice.nRelCtrlId == 0)
        return;
    const GuideControl found = FindGuideControl(m_pWindowList, notice.nRelCtrlId);
    // Only a control that is on screen gets a balloon: its window shows it, and so do the
    // containers in between (a hidden tab page, a hidden button).
    if (!found.control || !found.control->isVisible())
        return;
    if (m_showBalloon)
        m_showBalloon(OrDefault(notice.sTipTitle), OrDefault(notice.sTipContent), found.control,
                      this);
}

void CGuidHelpWnd::OnClickedOk() {
    hide();
    Q_EMIT GuideClosed(1, m_pCheck && m_pCheck->isChecked() ? 1 : 0);
}

void CGuidHelpWnd::OnClickedCancel() {
    hide();
    Q_EMIT GuideClosed(0, 0);
}
