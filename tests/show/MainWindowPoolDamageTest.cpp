#include "base/AppPaths.h"
#include "common/RecordingPrompter.h"
#include "media/MovieTestUtil.h"
#include "model/TumoStatus.h"
#include "show/CTumoDlg.h"
#include "show/MainWindowTestUtil.h"
#include "show/ProgramRestart.h"
#include "store/StoreTexts.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace movietest;
using namespace mainwindowtest;

namespace {

// Every record's number end marker made into ordinary characters: the sizes still agree, so the
// start keeps the index, and the first record a draw reads is damaged.
bool DamageEveryRecord(const QString& dataPath) {
    QFile data(dataPath);
    if (!data.open(QIODevice::ReadWrite))
        return false;
    QByteArray bytes = data.readAll();
    const QByteArray marker("\xFD\x00\xBA\x00", 4);
    if (!bytes.contains(marker))
        return false;
    bytes.replace(marker, QByteArray("x\0x\0", 4));
    return data.seek(0) && data.write(bytes) == bytes.size();
}

class MainWindowPoolDamage : public ProgramFolderTest {
protected:
    RecordingPrompter prompter;
};

} // namespace

TEST_F(MainWindowPoolDamage, ADrawMeetingADamagedRecordSaysSoOnceKeepsTheWinnersAndEnds) {
    QList<qint32> drawn;
    bool gaveUp = false;
    int code = -1;
    {
        CTumoDlg dlg(&prompter);
        // The session draws twice, then its pool is damaged on disk and the operator draws again.
        QTimer driver;
        int stage = 0;
        QObject::connect(&driver, &QTimer::timeout, [&] {
            if (stage != 0 || !dlg.isVisible() || !dlg.Draw().IsDrawEnabled())
                return;
            stage = 1;
            for (int step = 0; step < 2; ++step) {
                dlg.Draw().OnDraw();
                dlg.Draw().OnRestart();
            }
            for (qsizetype i = 0; i < dlg.CurGrade()->m_taken.Count(); ++i)
                drawn << dlg.CurGrade()->m_taken.ValueAt(i);
            EXPECT_TRUE(DamageEveryRecord(dir.filePath("data.dat")));
            dlg.Draw().OnDraw();
        });
        driver.start(20);
        // Ends the session when the window does not end by itself.
        QTimer::singleShot(kWaitMs, &dlg, [&] {
            gaveUp = true;
            dlg.OnQuit();
        });
        code = dlg.DoModal();
        EXPECT_TRUE(dlg.IsQuitting());
        EXPECT_FALSE(dlg.isVisible());
    } // the window's end saves what it holds
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(gaveUp) << "the window went on after its pool was found damaged";
    ASSERT_EQ(drawn.size(), 2);
    // The damage message once, not followed by "the quantity of winning numbers..." or any other.
    EXPECT_EQ(prompter.messages, QStringList{StoreTexts::Damaged()});
    EXPECT_EQ(SavedWinners(), drawn);
    // The index is dropped, so that the next start rebuilds it from the records.
    EXPECT_EQ(QFileInfo(dir.filePath("index.dat")).size(), 0);
}
