#pragma once

#include "store/ProgressSink.h"

#include <QDialog>
#include <QString>

class QLabel;

// The small "Wait for a minute..." window of the long pool operations. The operations run on the
// user-interface thread and call Pump() now and then, which lets input, timers and painting
// through. The window is application-modal, so that nothing else can be started meanwhile, and
// it cannot be closed by the operator: only the end of the operation closes it.
//
// A request to quit that arrives while an operation runs is held back (the operation is told
// to stop) and made again once the window is closed, when nothing can refuse it any more.
class XProgressWnd : public QDialog, public ProgressSink {
    Q_OBJECT
public:
    explicit XProgressWnd(QWidget* parent = nullptr);
    ~XProgressWnd() override;

    void Begin(const QString& task) override;
    void ShowProgress(const QString& text) override;
    bool Pump() override;
    void End() override;

    bool QuitRequested() const { return m_bQuit; }

    QString m_strTask;
    QString m_strProgress;

protected:
    // Enter and Esc do nothing, and neither does the window manager's close.
    void accept() override {}
    void reject() override {}
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Makes the held-back quit request again.
    virtual void RepostQuit();

private:
    void UpdateData();
    void Place();

    QLabel* m_pTaskLabel;
    QLabel* m_pTask;
    QLabel* m_pProgress;
    bool m_bActive = false;
    bool m_bQuit = false;
};
