#pragma once

#include "model/Prompter.h"

#include <QPointer>
#include <QWidget>

// What the draw window says and asks: message boxes and the desktop's file choosers, over the
// draw window (or centred on the screen while it is still hidden).
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
    QWidget* Parent() const;

    QPointer<QWidget> m_parent;
};
