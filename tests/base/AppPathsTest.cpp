#include "base/AppPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Folder {
    explicit Folder(const QString& f) : saved(g_strAppFolder) { SetAppFolder(f); }
    ~Folder() { g_strAppFolder = saved; }
    QString saved;
};
} // namespace

TEST(AppPaths, RelativeOnlyInsideTheFolder) {
    Folder f("/srv/show");
    EXPECT_EQ(MakeRelativePath("/srv/show/media/a.swf"), "media\\a.swf");
    EXPECT_EQ(MakeRelativePath("/srv/show"), "");
    EXPECT_EQ(MakeRelativePath("/srv/show2/a.swf"), "/srv/show2/a.swf"); // sibling folder
    EXPECT_EQ(MakeRelativePath("/other/srv/show/a.swf"), "/other/srv/show/a.swf");
    EXPECT_EQ(MakeRelativePath("/SRV/show/a.swf"), "/SRV/show/a.swf"); // case-sensitive
    EXPECT_EQ(MakeRelativePath("C:\\Show\\a.swf"), "C:\\Show\\a.swf");
}

TEST(AppPaths, WindowsFolderSiblingStaysAbsolute) {
    Folder f("C:\\Show");
    EXPECT_EQ(MakeRelativePath("C:\\Show\\media\\a.swf"), "media\\a.swf");
    EXPECT_EQ(MakeRelativePath("C:\\Show2\\a.swf"), "C:\\Show2\\a.swf");
    EXPECT_EQ(MakeRelativePath("c:\\show\\media\\a.swf"), "c:\\show\\media\\a.swf");
}

TEST(AppPaths, AbsoluteForms) {
    Folder f("/srv/show");
    EXPECT_EQ(MakeAbsolutePath("media\\a.swf"), "/srv/show/media/a.swf");
    EXPECT_EQ(MakeAbsolutePath(""), "/srv/show/");
    EXPECT_EQ(MakeAbsolutePath("D:\\x\\a.swf"), "D:\\x\\a.swf"); // drive paths are kept
    EXPECT_EQ(MakeAbsolutePath("/tmp/a.swf"), "/tmp/a.swf");
    EXPECT_EQ(MakeAbsolutePath("\\\\server\\share\\a"), "/srv/show///server/share/a");
    EXPECT_EQ(MakeAbsolutePathNoColon("x:y"), "x:y");
    EXPECT_EQ(MakeAbsolutePathNoColon(":y"), "/srv/show/:y");
    EXPECT_EQ(MakeAbsolutePathNoColon("a\\b"), "/srv/show/a/b");
    // Round trip: stored relative form back to the same native file.
    EXPECT_EQ(MakeAbsolutePath(MakeRelativePath("/srv/show/m/b.jpg")), "/srv/show/m/b.jpg");
}

TEST(AppPaths, FileNames) {
    EXPECT_EQ(GetFileNameOfPath("a.swf"), "a.swf");
    EXPECT_EQ(GetFileNameOfPath("C:\\x\\"), "");
    EXPECT_EQ(GetFileNameOfPath("C:\\x\\a.swf"), "a.swf");
    EXPECT_EQ(GetFileNameOfPath("/x/y/b.wav"), "b.wav");
    EXPECT_TRUE(HasPathSeparator("m/a.swf"));
    EXPECT_FALSE(HasPathSeparator("a.swf"));
}

TEST(AppPaths, CaseInsensitiveOpen) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("Media"));
    QFile file(dir.path() + "/Media/DefSym.swf");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(ResolveFileCase(dir.path() + "/media/defsym.swf"), dir.path() + "/Media/DefSym.swf");
    EXPECT_EQ(ResolveFileCase(dir.path() + "/media/none.swf"), dir.path() + "/media/none.swf");
}
