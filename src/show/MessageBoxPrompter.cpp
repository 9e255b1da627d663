#include "show/MessageBoxPrompter.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

namespace {

QString Caption() {
    return QStringLiteral("Tumo");
}

QMessageBox::Icon BoxIcon(Prompter::Icon icon) {
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::Question:
        return QMessageBox::Question;
    case Prompter::Icon::Warning:
        break;
    }
    return QMessageBox::Warning;
}

} // namespace

// The window in front owns the box: an open modal dialog, the window the operator works in, else
// the draw window. Without a window manager to restack them, a box shown before its owner would
// stay hidden under it once the owner appears (the full-screen draw window at start-up), so the
// box waits until its owner is on the screen, when the owner is about to come at all.
QWidget* MessageBoxPrompter::Parent() const {
    QPointer<QWidget> owner = QApplication::activeModalWidget();
    if (!owner) {
        QWidget* active = QApplication::activeWindow();
        owner = active && active->isVisible() ? active : m_parent.data();
    }
    const bool coming = !m_ownerComing || m_ownerComing();
    if (owner && !owner->isVisible() && coming) {
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (!owner || owner->isVisible())
                loop.quit();
        });
        poll.start(kWaitPollMs);
        QTimer::singleShot(kMaxWaitMs, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return owner && owner->isVisible() ? owner.data() : nullptr;
}

void MessageBoxPrompter::Message(const QString& text, Icon icon) {
    QMessageBox box(BoxIcon(icon), Caption(), text, QMessageBox::Ok, Parent());
    box.exec();
}

bool MessageBoxPrompter::AskYesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, Caption(), text, QMessageBox::Yes | QMessageBox::No,
                    Parent());
    return box.exec() == QMessageBox::Yes;
}

QString MessageBoxPrompter::ChooseOpenFile(const QString& title, const QString& filter,
                                           const QString& folder, const QString& defaultSuffix) {
    QFileDialog dialog(Parent(), title, folder, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    // Without it a name typed bare is looked for as it is and refused as not found.
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString MessageBoxPrompter::ChooseSaveFile(const QString& title, const QString& filter,
                                           const QString& suggestedName,
                                           const QString& defaultSuffix) {
    if (defaultSuffix.isEmpty())
        return QFileDialog::getSaveFileName(Parent(), title, suggestedName, filter);
    QFileDialog dialog(Parent(), title, suggestedName, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    // Qt's own chooser adds the suffix before it asks about replacing a file; a desktop's
    // chooser may ask about the name as typed and get the suffix only afterwards.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}
