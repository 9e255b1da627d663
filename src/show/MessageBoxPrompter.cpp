#include "show/MessageBoxPrompter.h"

#include <QFileDialog>
#include <QMessageBox>

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

QWidget* MessageBoxPrompter::Parent() const {
    // A box over a hidden window would open wherever the window will be, unseen; over nothing it
    // opens centred on the screen.
    return m_parent && m_parent->isVisible() ? m_parent.data() : nullptr;
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
                                           const QString& folder) {
    return QFileDialog::getOpenFileName(Parent(), title, folder, filter);
}

QString MessageBoxPrompter::ChooseSaveFile(const QString& title, const QString& filter,
                                           const QString& suggestedName) {
    return QFileDialog::getSaveFileName(Parent(), title, suggestedName, filter);
}
