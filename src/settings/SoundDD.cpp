#include "settings/SoundDD.h"

#include "base/AppPaths.h"
#include "media/QtSoundDevice.h"
#include "model/LottrySound.h"
#include "settings/DialogData.h"
#include "show/MessageBoxPrompter.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

SoundDD::SoundDD(LottrySound* sound, QWidget* parent, Prompter* prompter,
                 const SoundDeviceFactory& makeDevice)
    : QDialog(parent), m_pSound(sound),
      m_player(makeDevice ? makeDevice : QtSoundDevice::Factory()) {
    if (!prompter) {
        m_pOwnPrompter = std::make_unique<MessageBoxPrompter>(this);
        prompter = m_pOwnPrompter.get();
    }
    m_pPrompter = prompter;
    setWindowTitle(QStringLiteral("Sound"));
    BuildControls();

    QString shown[3];
    ShownPaths(*m_pSound, shown);
    m_strBackFile = shown[Rolling];
    m_strStopFile = shown[Winning];
    m_strBBFile = shown[Bulletin];
    m_bLoopBack = m_pSound->m_bLoopBack ? 1 : 0;
    m_bLoopStop = m_pSound->m_bLoopStop ? 1 : 0;
    m_bLoopBB = m_pSound->m_bLoopBB ? 1 : 0;
    WriteControls();
    m_timer.start(kTickMs, this);
}

SoundDD::~SoundDD() {
    m_timer.stop();
    m_player.Stop();
}

void SoundDD::BuildControls() {
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildGroup(Rolling, QStringLiteral("The sound with the rolling symbol")));
    layout->addWidget(
        BuildGroup(Winning, QStringLiteral("The sound when a winning number pulled out")));
    layout->addWidget(BuildGroup(Bulletin, QStringLiteral("The sound when bulletin board pop up")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SoundDD::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SoundDD::reject);
    layout->addWidget(buttons);
}

QWidget* SoundDD::BuildGroup(Kind kind, const QString& title) {
    auto* group = new QGroupBox(title, this);
    m_pFile[kind] = new QLineEdit(group);
    m_pFile[kind]->setMinimumWidth(320);
    auto* browse = new QPushButton(QStringLiteral("Browse"), group);
    m_pTest[kind] = new QPushButton(QStringLiteral("Test"), group);
    m_pLoop[kind] = new QCheckBox(QStringLiteral("Loop play"), group);
    auto* row = new QHBoxLayout(group);
    row->addWidget(m_pFile[kind], 1);
    row->addWidget(browse);
    row->addWidget(m_pTest[kind]);
    row->addWidget(m_pLoop[kind]);
    connect(browse, &QPushButton::clicked, this, [this, kind] { OnBrowse(kind); });
    connect(m_pTest[kind], &QPushButton::clicked, this, [this, kind] { OnTest(kind); });
    connect(m_pLoop[kind], &QCheckBox::clicked, this, [this] { Save(); });
    return group;
}

void SoundDD::ShownPaths(const LottrySound& sound, QString shown[3]) {
    shown[Rolling] = sound.m_strBackSound;
    shown[Winning] = sound.m_strStopSound;
    shown[Bulletin] = sound.m_strBBSound;
    if (HasPathSeparator(sound.m_strBBSound))
        return;
    for (int k = 0; k < 3; ++k)
        shown[k] = DialogData::InAppFolder(shown[k]);
}

QString SoundDD::FileFilter() {
    return QStringLiteral("All support types|*.mp3;*.wav;*.mid|mp3 file(*.mp3)|*.mp3|wav "
                          "file(*.wav)|*.wav|midi file(*.mid)|*.mid|All files(*.*)|*.*||");
}

QString SoundDD::UnplayableText(const QString& file) {
    return QStringLiteral("The sound file cannot be played:\n") + file;
}

QString& SoundDD::FileMember(Kind kind) {
    switch (kind) {
    case Rolling:
        return m_strBackFile;
    case Winning:
        return m_strStopFile;
    case Bulletin:
        break;
    }
    return m_strBBFile;
}

int& SoundDD::LoopMember(Kind kind) {
    switch (kind) {
    case Rolling:
        return m_bLoopBack;
    case Winning:
        return m_bLoopStop;
    case Bulletin:
        break;
    }
    return m_bLoopBB;
}

void SoundDD::WriteControls() {
    for (const Kind kind : {Rolling, Winning, Bulletin}) {
        m_pFile[kind]->setText(FileMember(kind));
        m_pLoop[kind]->setChecked(LoopMember(kind) != 0);
    }
}

void SoundDD::Save() {
    for (const Kind kind : {Rolling, Winning, Bulletin}) {
        FileMember(kind) = m_pFile[kind]->text();
        LoopMember(kind) = m_pLoop[kind]->isChecked() ? 1 : 0;
    }
    m_pSound->m_strBackSound = m_strBackFile;
    m_pSound->m_strStopSound = m_strStopFile;
    m_pSound->m_strBBSound = m_strBBFile;
    m_pSound->m_bLoopBack = m_bLoopBack;
    m_pSound->m_bLoopStop = m_bLoopStop;
    m_pSound->m_bLoopBB = m_bLoopBB;
}

void SoundDD::OnBrowse(Kind kind) {
    const QString chosen =
        m_pPrompter->ChooseOpenFile(QStringLiteral("Open"), DialogData::QtFileFilter(FileFilter()));
    if (!chosen.isEmpty())
        m_pFile[kind]->setText(chosen);
}

void SoundDD::OnTest(Kind kind) {
    Save();
    m_player.Stop();
    m_player.m_bLoop = LoopMember(kind) != 0;
    // A bare name is a sound of the program folder, as when the show plays it, not a file of
    // whatever folder the program was started from.
    m_player.m_strFile = MakeAbsolutePath(FileMember(kind));
    m_player.Start();
    m_player.PlayIfIdle();
    m_strTested = m_player.m_strFile;
    ReportUnplayableTest();
}

void SoundDD::ReportUnplayableTest() {
    if (m_strTested.isEmpty() || !m_player.Current().HasFailed())
        return;
    const QString file = m_strTested;
    m_strTested.clear(); // the box spins the event loop: a tick meanwhile tells nothing more
    m_pPrompter->Message(UnplayableText(file), Prompter::Icon::Warning);
}

void SoundDD::OnTimerTick() {
    ReportUnplayableTest();
    for (const Kind kind : {Rolling, Bulletin, Winning}) {
        if (MakeAbsolutePath(FileMember(kind)) != m_player.m_strFile || !LoopMember(kind))
            continue;
        m_player.m_bLoop = true;
        m_player.OnLoopTick();
    }
}

void SoundDD::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer.timerId()) {
        OnTimerTick();
        return;
    }
    QDialog::timerEvent(event);
}

void SoundDD::accept() {
    m_strTested.clear();
    m_player.Stop();
    Save();
    QDialog::accept();
}

void SoundDD::reject() {
    m_strTested.clear();
    m_player.Stop();
    QDialog::reject();
}

void SoundDD::closeEvent(QCloseEvent* event) {
    m_player.Stop();
    m_timer.stop();
    QDialog::closeEvent(event);
}
