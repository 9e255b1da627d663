#pragma once

#include "media/SoundMgr.h"

#include <QBasicTimer>
#include <QDialog>
#include <QString>

#include <memory>

class LottrySound;
class MessageBoxPrompter;
class Prompter;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The three sounds of a prize level, a modal dialog: the rolling sound, the winning-number
// sound and the bulletin-board sound, each with its loop flag, and a test player that plays one
// of them at a time. It edits a working copy made by the opener, which puts it back after OK.
//
// The draw window's "Sound options":
//     LottrySound work = CurGrade()->m_sound;
//     SoundDD dlg(&work, this);
//     if (dlg.exec() == QDialog::Accepted) CurGrade()->m_sound = work;  // files and loop flags
class SoundDD : public QDialog {
    Q_OBJECT
public:
    // The three sounds, in the order the dialog lists them.
    enum Kind { Rolling = 0, Winning = 1, Bulletin = 2 };

    // Without a prompter the dialog shows its own file chooser; without a device factory the
    // test player plays through QtMultimedia.
    explicit SoundDD(LottrySound* sound, QWidget* parent = nullptr, Prompter* prompter = nullptr,
                     const SoundDeviceFactory& makeDevice = {});
    ~SoundDD() override;

    // The three paths as the dialog shows them (rolling, winning number, bulletin board): the
    // bulletin-board sound's path decides for all three whether the stored paths are shown as
    // they are or as files of the program folder.
    static void ShownPaths(const LottrySound& sound, QString shown[3]);
    static QString FileFilter();
    // What the operator is told of a tested sound that cannot be played.
    static QString UnplayableText(const QString& file);

    void OnBrowse(Kind kind);
    void OnTest(Kind kind);
    // The loop tick of the test player (every 100 ms).
    void OnTimerTick();

    QLineEdit* FileEdit(Kind kind) const { return m_pFile[kind]; }
    QCheckBox* LoopCheck(Kind kind) const { return m_pLoop[kind]; }
    QPushButton* TestButton(Kind kind) const { return m_pTest[kind]; }
    SoundMgr& TestPlayer() { return m_player; }
    bool IsTimerRunning() const { return m_timer.isActive(); }

    static constexpr int kTickMs = 100;

public Q_SLOTS:
    void accept() override;
    void reject() override;

protected:
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildGroup(Kind kind, const QString& title);
    void WriteControls();
    void Save();
    QString& FileMember(Kind kind);
    int& LoopMember(Kind kind);
    // A test sound found unplayable, at once or while it was being read, is told once.
    void ReportUnplayableTest();

    QBasicTimer m_timer;
    LottrySound* m_pSound;
    SoundMgr m_player;
    std::unique_ptr<MessageBoxPrompter> m_pOwnPrompter;
    Prompter* m_pPrompter;
    QString m_strTested; // the test sound, until it plays or has been told unplayable
    QString m_strBBFile;
    QString m_strStopFile;
    QString m_strBackFile;
    int m_bLoopBB = 0;
    int m_bLoopBack = 0;
    int m_bLoopStop = 0;
    QLineEdit* m_pFile[3] = {};
    QCheckBox* m_pLoop[3] = {};
    QPushButton* m_pTest[3] = {};
};
