#include "base/AppPaths.h"
#include "common/FileSizeLimit.h"
#include "common/RecordingPrompter.h"
#include "media/MovieTestUtil.h"
#include "model/GradeBase.h"
#include "show/CTumoDlg.h"
#include "show/MainWindowTestUtil.h"
#include "show/ProgramFolderLock.h"
#include "show/ProgramRestart.h"
#include "show/SchemeFileType.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <limits>

namespace {

QString ReadText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

TEST(MainWindowStartup, SchemeTypeBecomesASharedMimeInfoPackage) {
    EXPECT_EQ(SchemeFileType::MimeTypeOf(QStringLiteral("TumoScheme.Document")),
              QStringLiteral("application/x-tumoscheme-document"));
    const QString xml =
        SchemeFileType::PackageXml(QStringLiteral(".TSC"), QStringLiteral("TumoScheme.Document"),
                                   QStringLiteral("scheme file of the Tumo"));
    EXPECT_TRUE(xml.contains(QStringLiteral("type=\"application/x-tumoscheme-document\"")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<comment>scheme file of the Tumo</comment>")));
    EXPECT_TRUE(xml.contains(QStringLiteral("<glob pattern=\"*.TSC\" case-sensitive=\"false\"/>")));
    // Texts that are not XML-safe are escaped.
    EXPECT_TRUE(
        SchemeFileType::PackageXml(".TSC", "A.B", "a <b> & c").contains("a &lt;b&gt; &amp; c"));
}

TEST(MainWindowStartup, RegistrationWritesThePackageOnceAndFailsQuietly) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QString doc = QStringLiteral("TumoScheme.Document");
    ASSERT_TRUE(SchemeFileType::Register(data.path(), QStringLiteral(".TSC"), doc,
                                         QStringLiteral("scheme file of the Tumo")));
    const QString path = SchemeFileType::PackagePath(data.path(), doc);
    EXPECT_EQ(path, data.path() + QStringLiteral("/mime/packages/tumoscheme-document.xml"));
    const QString text = ReadText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("*.TSC")));
    const QDateTime written = QFileInfo(path).lastModified();
    // The same package again is left alone.
    EXPECT_TRUE(SchemeFileType::Register(data.path(), QStringLiteral(".TSC"), doc,
                                         QStringLiteral("scheme file of the Tumo")));
    EXPECT_EQ(QFileInfo(path).lastModified(), written);

    // A data folder that cannot hold the package: a file stands where its folder should be.
    QTemporaryDir blocked;
    QFile stone(blocked.filePath(QStringLiteral("mime")));
    ASSERT_TRUE(stone.open(QIODevice::WriteOnly));
    stone.close();
    EXPECT_FALSE(SchemeFileType::Register(blocked.path(), ".TSC", doc, "x"));
    EXPECT_FALSE(SchemeFileType::Register(QString(), ".TSC", doc, "x"));
}

TEST(MainWindowStartup, APackageCutByAFullDiskIsNotLeftBehind) {
    QTemporaryDir data;
    ASSERT_TRUE(data.isValid());
    const QString doc = QStringLiteral("TumoScheme.Document");
    FileSizeLimit full(0);
    EXPECT_FALSE(SchemeFileType::Register(data.path(), ".TSC", doc, "scheme file of the Tumo"));
    EXPECT_FALSE(QFile::exists(SchemeFileType::PackagePath(data.path(), doc)));
}

TEST(MainWindowStartup, RestartStartsTheProgramWithItsOwnArgumentsOnlyWhenAsked) {
    ProgramRestart::Cancel();
    int calls = 0;
    QString program;
    QStringList arguments;
    QString folder;
    const auto starter = [&](const QString& p, const QStringList& a, const QString& f) {
        ++calls;
        program = p;
        arguments = a;
        folder = f;
        return true;
    };
    EXPECT_EQ(ProgramRestart::StartIfRequested(starter), 0);
    EXPECT_EQ(calls, 0);

    ProgramRestart::Request();
    EXPECT_TRUE(ProgramRestart::IsRequested());
    EXPECT_EQ(ProgramRestart::StartIfRequested(starter), 0);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(program, QCoreApplication::applicationFilePath());
    EXPECT_EQ(arguments, QCoreApplication::arguments().mid(1));
    EXPECT_EQ(folder, QDir::currentPath());
    // One request, one new instance.
    EXPECT_EQ(ProgramRestart::StartIfRequested(starter), 0);
    EXPECT_EQ(calls, 1);

    ProgramRestart::Request();
    EXPECT_EQ(ProgramRestart::StartIfRequested(
                  [](const QString&, const QStringList&, const QString&) { return false; }),
              -1);
}

} // namespace

TEST(MainWindowStartup, OneProgramPerFolderButADeadOnesLockDoesNotBlock) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString lockPath = dir.filePath(ProgramFolderLock::FileName());
    // Left behind by a program that was killed: a process number that runs nothing.
    {
        QFile stale(lockPath);
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray::number(std::numeric_limits<qint32>::max()) + "\ntumo\n" +
                    QSysInfo::machineHostName().toLocal8Bit() + "\n");
    }
    ProgramFolderLock first(dir.path());
    ASSERT_TRUE(first.TryLock());
    ProgramFolderLock second(dir.path());
    EXPECT_FALSE(second.TryLock());
    EXPECT_TRUE(second.Message().startsWith(QStringLiteral("dataFile:Tumo is already running")));
    first.Unlock(); // a restart hands the folder over
    EXPECT_TRUE(second.TryLock());

    ProgramFolderLock missing(dir.filePath(QStringLiteral("no/such/folder")));
    EXPECT_FALSE(missing.TryLock());
    EXPECT_TRUE(missing.Message().startsWith(QStringLiteral("dataFile:")));
}

TEST(MainWindowStartup, ALevelAskingForAMillionNumbersOnTheScreenStartsAtOnceWithFewerAndSaysSo) {
    // The level as the last session left it: never shown, or shown with three rows and laid out
    // for them; then a settings file changed elsewhere asks for a million.
    for (const bool shownBefore : {false, true}) {
        SCOPED_TRACE(shownBefore);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString savedFolder = g_strAppFolder;
        SetAppFolder(dir.path());
        ASSERT_FALSE(
            movietest::Write(dir, "defsym.swf", *movietest::ColourSymbols("0123456789", {40, 60}))
                .isEmpty());
        if (shownBefore) {
            mainwindowtest::PrepareSettings(
                dir.path(), [](TumoStatus& s) { s.Level(0).m_base.m_nPerScreen = 3; });
            RecordingPrompter quiet;
            CTumoDlg dlg(&quiet);
            ASSERT_TRUE(mainwindowtest::StartReady(dlg));
            dlg.OnQuit();
        }
        mainwindowtest::PrepareSettings(dir.path(), [shownBefore](TumoStatus& s) {
            EXPECT_EQ(s.Level(0).m_sym.m_bLayoutValid, shownBefore ? 1 : 0);
            s.Level(0).m_base.m_nPerScreen = 1000000;
            s.Level(0).m_base.m_nQuantity = 1000000;
        });
        RecordingPrompter prompter;
        {
            CTumoDlg dlg(&prompter);
            ASSERT_TRUE(dlg.OnInitDialog());
            // The start builds a screenful of symbols, not a million: a second on a plain build,
            // a few under the sanitizers on a busy machine, where a million would take minutes.
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return dlg.isVisible() && dlg.Draw().IsDrawEnabled(); }, 10000));
            // Said once; the layout made for other rows is no damage.
            EXPECT_EQ(prompter.messages, QStringList{GradeBase::PerScreenText()});
            const qint32 perScreen = dlg.CurGrade()->m_base.m_nPerScreen;
            const qint32 digits = dlg.Status().m_nuBase.m_nDigits;
            EXPECT_EQ(digits, 3);
            EXPECT_GE(perScreen, 1);
            EXPECT_LE(GradeBase::SymbolPositions(perScreen, digits),
                      GradeBase::kMaxSymbolPositions);
            // Every symbol has a place of its own on the screen.
            const auto views = mainwindowtest::SymbolViewsOf(dlg);
            ASSERT_EQ(qint64(views.size()), GradeBase::SymbolPositions(perScreen, digits));
            EXPECT_TRUE(mainwindowtest::WaitSymbolsPlaced(dlg, views.size()));
            CTumoDlgTestAccess::SetNoSave(dlg, true);
            dlg.OnQuit();
        }
        SetAppFolder(savedFolder);
    }
}
