#pragma once

#include "model/Prompter.h"

#include <QPointer>
#include <QWidget>

#include <functional>

// What the draw window says and asks: message boxes and the desktop's file choosers, owned by the
// window in front and shown once that window is on the screen.
class MessageBoxPrompter : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : m_parent(parent) {}

    void SetParent(QWidget* parent) { m_parent = parent; }
    // Whether a hidden owner is about to come on the screen (the draw window once its symbols
    // are being built). Only then does a box wait for it: a report from before that point, such
    // as a damaged settings file, comes at once on its own, and the owner cannot cover it since
    // it shows only after the box is answered.
    void SetOwnerComing(std::function<bool()> coming) { m_ownerComing = std::move(coming); }

    void Message(const QString& text, Icon icon = Icon::Warning) override;
    bool AskYesNo(const QString& text) override;
    QString ChooseOpenFile(const QString& title, const QString& filter,
                           const QString& folder = QString(),
                           const QString& defaultSuffix = QString()) override;
    QString ChooseSaveFile(const QString& title, const QString& filter,
                           const QString& suggestedName,
                           const QString& defaultSuffix = QString()) override;

private:
    // How long a box waits for its owner to appear before it shows on its own.
    static constexpr int kMaxWaitMs = 30000;
    static constexpr int kWaitPollMs = 20;

    QWidget* Parent() const;

    QPointer<QWidget> m_parent;
    std::function<bool()> m_ownerComing;
};
