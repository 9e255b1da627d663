#include "show/MessageBoxPrompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>

namespace {

// What the box looked like when it came up.
struct SeenBox {
    bool seen = false;
    QWidget* parent = nullptr;
    QWindow* transientParent = nullptr;
    bool ownerVisible = false;
};

// Watches for the prompter's box, notes what owns it and answers it.
void AnswerBox(QWidget* owner, SeenBox& seen, QMessageBox::StandardButton answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, owner, &seen, answer] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(w);
            if (!box || !box->isVisible())
                continue;
            seen.seen = true;
            seen.parent = box->parentWidget();
            seen.transientParent =
                box->windowHandle() ? box->windowHandle()->transientParent() : nullptr;
            seen.ownerVisible = owner->isVisible();
            box->done(answer);
            poll->deleteLater();
            return;
        }
    });
    poll->start(5);
}

} // namespace

// At start-up the draw window is still hidden: a report must wait for it and open over it, owned
// by it, never underneath the full-screen window.
TEST(MessageBoxPrompter, ABoxWaitsForItsHiddenOwnerAndIsTransientForIt) {
    QWidget window;
    window.resize(400, 300);
    MessageBoxPrompter prompter(&window);
    QTimer::singleShot(150, &window, [&window] { window.show(); });
    SeenBox seen;
    AnswerBox(&window, seen, QMessageBox::Ok);
    prompter.Message(QStringLiteral("Incompatible symbol file!"));
    ASSERT_TRUE(seen.seen);
    EXPECT_TRUE(seen.ownerVisible) << "the box came before its owner";
    EXPECT_EQ(seen.parent, &window);
    ASSERT_NE(window.windowHandle(), nullptr);
    EXPECT_EQ(seen.transientParent, window.windowHandle());
}

// Before the draw window is on its way (a damaged settings file is read before anything is
// built), nothing would show it while the box waits: the box comes at once, on its own.
TEST(MessageBoxPrompter, ABoxComesAtOnceWhenItsOwnerIsNotComing) {
    QWidget window;
    MessageBoxPrompter prompter(&window);
    prompter.SetOwnerComing([] { return false; });
    QElapsedTimer clock;
    clock.start();
    SeenBox seen;
    AnswerBox(&window, seen, QMessageBox::Ok);
    prompter.Message(QStringLiteral("Incompatible file!"));
    ASSERT_TRUE(seen.seen);
    EXPECT_LT(clock.elapsed(), 5000) << "the box waited for a window that was not coming";
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_FALSE(window.isVisible());
}

// The open chooser takes a name typed without its extension when the extension is given, and
// opens on a file it is handed.
TEST(MessageBoxPrompter, TheOpenChooserCompletesABareNameAndOpensOnAGivenFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile pack(dir.filePath("pack1.TSC"));
    ASSERT_TRUE(pack.open(QIODevice::WriteOnly));
    pack.close();
    MessageBoxPrompter prompter;
    const auto answer = [](const std::function<void(QFileDialog&)>& act) {
        auto* poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* chooser = qobject_cast<QFileDialog*>(w);
                if (!chooser || !chooser->isVisible())
                    continue;
                poll->deleteLater();
                act(*chooser);
                return;
            }
        });
        poll->start(5);
    };
    const QString filter = QStringLiteral("Tumo Scheme Files (*.TSC)");
    answer([](QFileDialog& chooser) {
        auto* name = chooser.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("pack1"));
        // Protected in QFileDialog; through QDialog its own override still runs.
        static_cast<QDialog&>(chooser).accept();
    });
    EXPECT_EQ(prompter.ChooseOpenFile(QString(), filter, dir.path(), QStringLiteral("TSC")),
              dir.filePath("pack1.TSC"));

    QStringList opened;
    answer([&opened](QFileDialog& chooser) {
        opened = chooser.selectedFiles();
        opened << chooser.directory().absolutePath();
        chooser.reject();
    });
    EXPECT_TRUE(prompter.ChooseOpenFile(QString(), filter, dir.filePath("pack1.TSC")).isEmpty());
    EXPECT_EQ(opened, QStringList({dir.filePath("pack1.TSC"), dir.path()}));
}

// A dialog open in front of the draw window owns the question instead.
TEST(MessageBoxPrompter, AnOpenModalDialogOwnsTheQuestion) {
    QWidget window;
    window.show();
    QDialog dialog(&window);
    MessageBoxPrompter prompter(&window);
    SeenBox seen;
    bool answer = false;
    QTimer::singleShot(0, &dialog, [&] {
        AnswerBox(&dialog, seen, QMessageBox::Yes);
        answer = prompter.AskYesNo(QStringLiteral("Are you sure?"));
        dialog.accept();
    });
    dialog.exec();
    ASSERT_TRUE(seen.seen);
    EXPECT_TRUE(answer);
    EXPECT_EQ(seen.parent, &dialog);
}

// A name typed without its suffix is completed before the chooser asks about replacing a file,
// so that the question names the file that is then written.
TEST(MessageBoxPrompter, TheSaveChooserAsksAboutTheFileWithItsDefaultSuffix) {
    QTemporaryDir dir;
    QFile existing(dir.filePath(QStringLiteral("out1.txt")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    MessageBoxPrompter prompter;
    QString question;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            question = box->text();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                yes->click();
        } else if (auto* chooser = qobject_cast<QFileDialog*>(modal);
                   chooser && question.isEmpty()) {
            // Typed, as a person does: selectFile leaves the name alone while its field has the
            // focus, which it has once an earlier window made the application active.
            auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            ASSERT_NE(name, nullptr);
            name->setText(QStringLiteral("out1"));
            // As its Save button does; queued, since the question waits inside it and this
            // timer does not fire again until its handler returns.
            QMetaObject::invokeMethod(
                chooser, [chooser] { static_cast<QDialog*>(chooser)->accept(); },
                Qt::QueuedConnection);
        }
    });
    poll.start(20);
    const QString chosen = prompter.ChooseSaveFile(
        QStringLiteral("Save As"), QStringLiteral("Text files (*.txt)"),
        dir.filePath(QStringLiteral("WinningNumbers.txt")), QStringLiteral("txt"));
    EXPECT_EQ(chosen, dir.filePath(QStringLiteral("out1.txt")));
    EXPECT_TRUE(question.contains(QStringLiteral("out1.txt"))) << question.toStdString();
}
