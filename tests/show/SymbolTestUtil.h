#pragma once

#include "base/AppPaths.h"
#include "media/MovieCache.h"
#include "media/StripMovie.h"
#include "media/StripMovieFile.h"
#include "model/TumoStatus.h"

#include <QColor>
#include <QImage>
#include <QTemporaryDir>

#include <vector>

// A program folder of its own with symbol movies, and a status whose current level a test sets.
namespace symtest {

inline QImage Cell(QSize size, int shade) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(shade, 255 - shade, 128));
    return image;
}

// A symbol movie file of the given characters and natural size; its path.
inline QString WriteSymbols(const QString& path, const QString& bits, QSize size = {100, 100}) {
    std::vector<QImage> chars;
    chars.reserve(static_cast<size_t>(bits.size()));
    for (int k = 0; k < bits.size(); ++k)
        chars.push_back(Cell(size, 20 + 10 * k));
    const auto movie = StripMovie::MakeSymbols(Cell(size, 0), Cell(size, 255), chars, bits);
    return movie && StripMovieFile::Write(path, *movie) ? path : QString();
}

class ProgramFolder {
public:
    ProgramFolder() {
        m_saved = g_strAppFolder;
        SetAppFolder(m_dir.path());
        MovieCache::Instance().Clear();
        WriteSymbols(Path("defsym.swf"), QStringLiteral("0123456789"));
    }
    ~ProgramFolder() {
        MovieCache::Instance().Clear();
        SetAppFolder(m_saved);
    }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_saved;
};

// Levels 0 to n - 1 with `perScreen` numbers on the screen each; level `current` is current.
inline void SetLevels(TumoStatus& status, int n, int current, int perScreen, int digits) {
    status.ClearGrades();
    for (int i = 0; i < n; ++i) {
        GradeInfo level;
        level.m_base.m_strName = QStringLiteral("Level %1").arg(i);
        level.m_base.m_nPerScreen = perScreen;
        level.m_base.m_nQuantity = 10;
        level.m_sym.m_strDefaultFile = MakeAbsolutePath(QStringLiteral("defsym.swf"));
        status.AddLevel(level);
    }
    status.Level(0).m_base.m_nQuantity = 10; // as many as the others, not the pool's rest
    status.SetCurrentLevel(current);
    status.m_nuBase.m_nDigits = digits;
}

} // namespace symtest
