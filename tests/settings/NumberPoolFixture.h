#pragma once

#include "base/AppPaths.h"
#include "common/PoolFolder.h"
#include "settings/Sheet_LotteryNo.h"

#include <QByteArray>
#include <QDialog>
#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>

namespace numbertest {

inline QByteArray Utf16Le(const QString& s) {
    return QByteArray(reinterpret_cast<const char*>(s.utf16()), s.size() * 2);
}

inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray ReadFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The numbers page with its modal dialogs answered by the test instead of the operator.
class TestPage : public Sheet_LotteryNo {
public:
    using Sheet_LotteryNo::Sheet_LotteryNo;

    // Gets the dialog and answers it (QDialog::Accepted or Rejected); without one, Cancel.
    std::function<int(QDialog&)> answer;
    QStringList shown; // the dialogs' titles, in order

protected:
    int ExecDialog(QDialog& dialog) override {
        shown << dialog.windowTitle();
        return answer ? answer(dialog) : int(QDialog::Rejected);
    }
};

// A pool in a folder of its own, opened the way the draw window opens it (an empty pool starts
// with the numbers 1 to 100), with one prize level besides the default one.
class PoolFixture : public ::testing::Test, protected PoolFolder {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        SetAppFolder(dir.path());
        ASSERT_EQ(pool.OpenStore(), 1);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
};

} // namespace numbertest
