#pragma once

#include "model/Prompter.h"

#include <QPointer>
#include <QWidget>

// What the draw window says and asks: message boxes and the desktop's file choosers, owned by the
// window in front and shown once that window is on the screen.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void SetParent(QWidget* parent) { m_parent = parent; }

    void Message(const QString& text, Icon icon = Icon::Warning) override;
    bool AskYesNo(const QString& text) override;
    QString ChooseOpenFile(const QString& title, const QString& filter,
                           const QString& folder = QString()) override;
    QString ChooseSaveFile(const QString& title, const QString& filter,
                           const QString& suggestedName) override;

private:
    // How long a box waits for its owner to appear before it shows on its own.
    static constexpr int kMaxWaitMs = 30000;
    static constexpr int kWaitPollMs = 20;

    QWidget* Parent() const;

    QPointer<QWidget> m_parent;
};
