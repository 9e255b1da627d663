#include "settings/XHScrollWnd.h"

#include "base/AppPaths.h"
#include "media/CShockwaveFlash.h"
#include "media/MovieVariables.h"
#include "model/GradeInfo.h"
#include "model/LogFont.h"
#include "model/Prompter.h"
#include "model/TumoStatus.h"
#include "show/BulletinBoard.h"
#include "show/MovieView.h"

#include <QCheckBox>
#include <QEvent>
#include <QFileInfo>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

constexpr int kRollingFrame = 0;
constexpr int kMaskFrame = 1;

QFont CaptionFont() {
    LogFont lf;
    lf.lfHeight = 26;
    lf.lfWeight = 800;
    lf.lfFaceName = QStringLiteral("Times New Roman");
    QFont font = BulletinBoard::BoardFont(lf);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

// A rectangle that cannot hold a cell (a strip squeezed too flat) shows nothing.
QRect Usable(const QRect& rect) {
    return rect.isValid() ? rect : QRect(rect.topLeft(), QSize(0, 0));
}

} // namespace

XHScrollWnd::XHScrollWnd(Prompter* prompter, QWidget* parent)
    : QFrame(parent), m_pPrompter(prompter) {
    setFrameShape(QFrame::Box);
    setFrameShadow(QFrame::Plain);
    setLineWidth(1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pClient = new QWidget(this);
    m_pClient->installEventFilter(this);
    m_pScroll = new QScrollBar(Qt::Horizontal, this);
    m_pScroll->setSingleStep(1);
    m_pScroll->setPageStep(0);
    layout->addWidget(m_pClient, 1);
    layout->addWidget(m_pScroll);
    connect(m_pScroll, &QScrollBar::actionTriggered, this, &XHScrollWnd::OnScrollAction);
    connect(m_pScroll, &QScrollBar::valueChanged, this, &XHScrollWnd::OnScrolled);
    ResetScrollBar();
}

XHScrollWnd::~XHScrollWnd() {
    DestroyCells();
}

void XHScrollWnd::Create() {
    LoadMaskStates();
    BuildCells();
}

int XHScrollWnd::Positions() const {
    return m_pStatus ? qMax(0, m_pStatus->m_nuBase.m_nDigits) : 0;
}

std::vector<CShockwaveFlash*> XHScrollWnd::Players() const {
    std::vector<CShockwaveFlash*> players;
    for (const auto& player : m_players)
        players.push_back(player.get());
    return players;
}

QString XHScrollWnd::ExistingFile(const QString& path) {
    if (path.isEmpty())
        return QString();
    const QString found = ResolveFileCase(MakeAbsolutePath(path));
    return QFileInfo(found).isFile() ? found : QString();
}

bool XHScrollWnd::ReadMovie(const QString& path, MovieFacts& facts) {
    const auto cx = MovieVariables::Read(path, QStringLiteral("_root._level0.cx"));
    const auto cy = MovieVariables::Read(path, QStringLiteral("_root._level0.cy"));
    const auto symbols = MovieVariables::Read(path, QStringLiteral("_root._level0.SymbolsBits"));
    if (!cx || !cy || !symbols)
        return false;
    facts.cx = XHScrollLayout::ParseInt(*cx);
    facts.cy = XHScrollLayout::ParseInt(*cy);
    facts.symbols = *symbols;
    return true;
}

bool XHScrollWnd::SetSymbolFile(const QString& file) {
    const QString path = ExistingFile(file);
    if (path.isEmpty()) {
        if (m_pPrompter)
            m_pPrompter->Message(FileNotExistText());
        return false;
    }
    MovieFacts facts;
    if (!ReadMovie(path, facts)) {
        if (m_pPrompter)
            m_pPrompter->Message(ErrorSymbolText());
        return false;
    }
    // Only a movie that can be shown replaces the one shown, so the strip never names a movie
    // other than the one its cells play.
    m_strFile = file;
    DestroyCells();
    BuildCells();
    return true;
}

void XHScrollWnd::LoadMaskStates() {
    m_masked.clear();
    if (!m_bMaskMode)
        return;
    const int n = Positions();
    m_masked.fill(false, n);
    // A list written for another digit count says nothing about these positions.
    if (!m_pGrade || m_pGrade->m_mask.m_listBits.size() != n)
        return;
    for (int i = 0; i < n; ++i)
        m_masked[i] = m_pGrade->m_mask.m_listBits.at(i).m_nValue == 1;
}

void XHScrollWnd::BuildCells() {
    const QString path = ExistingFile(m_strFile);
    if (path.isEmpty()) {
        if (m_pPrompter)
            m_pPrompter->Message(FileNotExistText());
        return;
    }
    MovieFacts facts;
    if (!ReadMovie(path, facts)) {
        if (m_pPrompter)
            m_pPrompter->Message(IncompatibleText());
        return;
    }
    m_facts = facts;
    m_symbolChars = facts.symbols;
    m_nScrollMax = XHScrollLayout::ScrollMaximum(m_bMaskMode, Positions(), m_symbolChars);
    // A rebuilt strip starts at its left end, so the new cells sit in their frames.
    ResetScrollBar();

    const int count = XHScrollLayout::CellCount(m_bMaskMode, Positions(), m_symbolChars);
    for (int i = 0; i < count; ++i) {
        auto player = std::make_unique<CShockwaveFlash>();
        auto* view = new MovieView(m_pClient);
        view->Bind(*player);
        player->SetBGColor(QString());
        player->SetMovie(m_bMaskMode ? CellMovie(i) : path);
        player->SetScaleMode(CShockwaveFlash::kExactFit);
        if (m_bMaskMode)
            player->GotoFrame(m_masked.value(i) ? kMaskFrame : kRollingFrame);
        else
            player->GotoFrame(i);
        m_players.push_back(std::move(player));
        m_cells.push_back(view);
        if (m_bMaskMode) {
            auto* check = new QCheckBox(QStringLiteral("Mask"), m_pClient);
            check->setChecked(m_masked.value(i));
            connect(check, &QCheckBox::clicked, this, [this, i] { OnCheckClicked(i); });
            m_checks.push_back(check);
        }
    }
    PlaceCells();
    for (MovieView* view : m_cells)
        view->show();
    for (QCheckBox* check : m_checks)
        check->show();
    m_pClient->update();
}

void XHScrollWnd::DestroyCells() {
    for (QCheckBox* check : m_checks)
        delete check;
    for (MovieView* view : m_cells)
        delete view;
    m_checks.clear();
    m_cells.clear();
    m_players.clear();
    if (m_pClient)
        m_pClient->update();
}

QString XHScrollWnd::CellMovie(int i) const {
    // Cells run from the left; the per-position movies count from the rightmost character.
    const int position = Positions() - 1 - i;
    if (m_pGrade && position >= 0 && position < m_pGrade->m_sym.m_listFiles.size()) {
        const QString& own = m_pGrade->m_sym.m_listFiles.at(position);
        if (own.right(4).toUpper() == QStringLiteral(".SWF")) {
            // A position whose own movie has gone shows the strip's movie rather than nothing.
            QString path = ExistingFile(own);
            if (!path.isEmpty())
                return path;
        }
    }
    return ExistingFile(m_strFile);
}

int XHScrollWnd::ClientHeight() const {
    return m_pClient->height();
}

void XHScrollWnd::PlaceCells() {
    const int h = ClientHeight();
    const XHScrollLayout::CellBox box = XHScrollLayout::FitCell(m_facts.cx, m_facts.cy, h);
    for (int i = 0; i < int(m_cells.size()); ++i) {
        const QRect cell = XHScrollLayout::CellRect(i, box, h, m_bMaskMode);
        m_cells[i]->setGeometry(Usable(cell.translated(m_nOffset, 0)));
    }
    for (int i = 0; i < int(m_checks.size()); ++i)
        m_checks[i]->setGeometry(
            Usable(XHScrollLayout::CheckRect(i, box, h).translated(m_nOffset, 0)));
}

void XHScrollWnd::ResetScrollBar() {
    const QSignalBlocker block(m_pScroll);
    m_nOffset = 0;
    // Fewer than three cells leave nothing to scroll to.
    const bool scrolls = m_nScrollMax > XHScrollLayout::kScrollMinimum;
    m_pScroll->setRange(XHScrollLayout::kScrollMinimum,
                        scrolls ? m_nScrollMax : XHScrollLayout::kScrollMinimum);
    m_pScroll->setEnabled(scrolls);
    m_pScroll->setValue(XHScrollLayout::kScrollMinimum);
}

void XHScrollWnd::OnScrollAction(int action) {
    using Request = XHScrollLayout::ScrollRequest;
    Request request;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
        request = Request::LineLeft;
        break;
    case QAbstractSlider::SliderSingleStepAdd:
        request = Request::LineRight;
        break;
    case QAbstractSlider::SliderPageStepSub:
        request = Request::PageLeft;
        break;
    case QAbstractSlider::SliderPageStepAdd:
        request = Request::PageRight;
        break;
    case QAbstractSlider::SliderToMinimum:
        request = Request::LeftEnd;
        break;
    case QAbstractSlider::SliderToMaximum:
        request = Request::RightEnd;
        break;
    case QAbstractSlider::SliderMove:
        request = Request::Thumb;
        break;
    default:
        return;
    }
    m_pScroll->setSliderPosition(XHScrollLayout::NextScrollPosition(
        request, m_pScroll->value(), m_pScroll->maximum(), m_pScroll->sliderPosition()));
}

void XHScrollWnd::OnScrolled(int position) {
    m_nOffset = XHScrollLayout::kScrollMinimum - position;
    PlaceCells();
    m_pClient->update();
}

void XHScrollWnd::OnCheckClicked(int i) {
    if (i < 0 || i >= int(m_checks.size()))
        return;
    const bool masked = m_checks[i]->isChecked();
    if (i < m_masked.size())
        m_masked[i] = masked;
    m_players[i]->GotoFrame(masked ? kMaskFrame : kRollingFrame);
}

bool XHScrollWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pClient) {
        if (event->type() == QEvent::Paint) {
            PaintClient();
            return true;
        }
        if (event->type() == QEvent::Resize)
            PlaceCells();
    }
    return QFrame::eventFilter(watched, event);
}

void XHScrollWnd::PaintClient() {
    QPainter painter(m_pClient);
    painter.fillRect(m_pClient->rect(), Qt::white);
    const int h = ClientHeight();
    painter.setPen(Qt::black);
    for (int i = 0; i < int(m_cells.size()); ++i)
        painter.drawRect(XHScrollLayout::FrameRect(i, m_nOffset, h).adjusted(0, 0, -1, -1));
    if (m_bMaskMode)
        return;
    painter.setFont(CaptionFont());
    painter.setPen(QColor(0, 0, 255));
    for (int i = 0; i < int(m_cells.size()); ++i)
        painter.drawText(XHScrollLayout::CaptionRect(i, m_nOffset, h),
                         Qt::AlignHCenter | Qt::AlignTop,
                         XHScrollLayout::CaptionOf(i, m_symbolChars));
}
