#include "show/XProgressWnd.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QScreen>

namespace {

// The window keeps the proportions of its dialog-unit template: a dialog unit is a quarter of
// the font's average character width across and an eighth of its height down.
struct DialogUnits {
    explicit DialogUnits(const QFont& font) {
        const QFontMetrics fm(font);
        const QString alphabet =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        baseX = (fm.horizontalAdvance(alphabet) / 26.0 + 1.0) / 2.0;
        baseY = fm.height();
    }
    // Dialog units keep the rounding every layout here was made with (a negative one truncates).
    // NOLINTBEGIN(bugprone-incorrect-roundings)
    int x(int du) const { return int(du * baseX / 4.0 + 0.5); }
    int y(int du) const { return int(du * baseY / 8.0 + 0.5); }
    // NOLINTEND(bugprone-incorrect-roundings)
    QRect rect(int left, int top, int width, int height) const {
        return QRect(x(left), y(top), x(width), y(height));
    }
    double baseX;
    double baseY;
};

} // namespace

XProgressWnd::XProgressWnd(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      m_pTaskLabel(new QLabel(QStringLiteral("The current task:"), this)),
      m_pTask(new QLabel(this)), m_pProgress(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Wait for a minute..."));
    setWindowModality(Qt::ApplicationModal);
    m_pProgress->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    const DialogUnits du(font());
    m_pTaskLabel->setGeometry(du.rect(15, 14, 58, 10));
    m_pTask->setGeometry(du.rect(73, 14, 142, 9));
    m_pProgress->setGeometry(du.rect(38, 33, 126, 9));
    setFixedSize(du.x(222), du.y(62));
}

XProgressWnd::~XProgressWnd() {
    if (m_bActive)
        qApp->removeEventFilter(this);
}

void XProgressWnd::UpdateData() {
    m_pTask->setText(m_strTask);
    m_pProgress->setText(m_strProgress);
}

void XProgressWnd::Place() {
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect r = rect();
        r.moveCenter(screen->geometry().center());
        move(r.topLeft());
    }
}

void XProgressWnd::Begin(const QString& task) {
    m_strTask = task;
    m_strProgress.clear();
    UpdateData();
    m_bQuit = false;
    if (!m_bActive)
        qApp->installEventFilter(this);
    m_bActive = true;
    Place();
    show();
    raise();
    activateWindow();
    // Painted before the first long stretch of work.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void XProgressWnd::ShowProgress(const QString& text) {
    m_strProgress = text;
    UpdateData();
}

bool XProgressWnd::Pump() {
    if (!m_bQuit)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    return !m_bQuit;
}

void XProgressWnd::End() {
    if (m_bActive)
        qApp->removeEventFilter(this);
    m_bActive = false;
    hide();
    if (m_bQuit)
        RepostQuit();
}

void XProgressWnd::RepostQuit() {
    QMetaObject::invokeMethod(
        qApp, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
}

void XProgressWnd::closeEvent(QCloseEvent* event) {
    event->ignore();
}

bool XProgressWnd::eventFilter(QObject* watched, QEvent* event) {
    // Let through, the quit would first try to close every window, this one included, and be
    // refused; held back, it is made again when the operation has stopped.
    if (m_bActive && watched == qApp && event->type() == QEvent::Quit) {
        m_bQuit = true;
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
