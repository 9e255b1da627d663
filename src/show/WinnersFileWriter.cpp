#include "show/WinnersFileWriter.h"

#include "base/AppPaths.h"
#include "model/TumoStatus.h"
#include "show/NumberSource.h"

namespace {

void AppendLevel(QList<WinnerLine>& lines, const GradeInfo& level, const QString& name,
                 NumberSource& numbers) {
    const QList<SUINT>& drawn = level.m_taken.List();
    QList<quint32> indexes;
    indexes.reserve(drawn.size());
    for (const SUINT& entry : drawn)
        indexes.append(entry.m_nValue);
    const QList<LoNuInfo> read =
        indexes.isEmpty() ? QList<LoNuInfo>() : numbers.ReadNumbers(indexes);
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        const LoNuInfo number = i < read.size() ? read.at(i) : LoNuInfo();
        lines.append({name, number.m_strNumber, number.m_strInfo});
    }
}

qsizetype LastLevel(const TumoStatus& status) {
    return status.LevelCount() - 1;
}

} // namespace

WinnersFileWriter::WinnersFileWriter(const TumoStatus& status, NumberSource& numbers)
    : m_status(status), m_numbers(numbers) {}

QList<WinnerLine> WinnersFileWriter::CollectWinners(const TumoStatus& status,
                                                    NumberSource& numbers) {
    QList<WinnerLine> lines;
    const std::span<const GradeInfo> levels = status.Levels();
    if (levels.empty())
        return lines;
    const qsizetype last = LastLevel(status);
    for (qsizetype i = 1; i <= last; ++i) {
        const GradeInfo& level = levels[i];
        AppendLevel(lines, level, level.m_base.m_strName, numbers);
    }
    AppendLevel(lines, levels[0], GradeBase::DefaultName(), numbers);
    return lines;
}

// Keeps the texts of the level's drawn numbers in step with its list: the part both still share
// stays, the rest is read from the pool. A draw step only adds at the end; a removal only cuts
// the last screen; so the pool is read for the few numbers that changed.
void WinnersFileWriter::Update(qsizetype index) {
    const GradeInfo& level = m_status.Level(index);
    Cached& cached = m_cache[index];
    const QList<SUINT>& drawn = level.m_taken.List();
    const qsizetype common = qMin(drawn.size(), cached.drawn.size());
    qsizetype same = 0;
    while (same < common && drawn.at(same).m_nValue == cached.drawn.at(same))
        ++same;
    cached.drawn.resize(same);
    cached.texts.Truncate(same);
    QList<quint32> added;
    added.reserve(drawn.size() - same);
    for (qsizetype i = same; i < drawn.size(); ++i)
        added.append(drawn.at(i).m_nValue);
    // The first update after a start reads every winner: in one pass, not a seek for each.
    const QList<LoNuInfo> numbers =
        added.isEmpty() ? QList<LoNuInfo>() : m_numbers.ReadNumbers(added);
    for (qsizetype i = 0; i < added.size(); ++i) {
        const LoNuInfo number = i < numbers.size() ? numbers.at(i) : LoNuInfo();
        cached.drawn.append(added.at(i));
        cached.texts.Append({number.m_strNumber, number.m_strInfo});
    }
    cached.texts.name = index == 0 ? GradeBase::DefaultName() : level.m_base.m_strName;
}

QList<WinnersLevel> WinnersFileWriter::Snapshot() {
    QList<WinnersLevel> levels;
    if (m_status.LevelCount() == 0)
        return levels;
    const qsizetype last = LastLevel(m_status);
    m_cache.resize(last + 1);
    for (qsizetype i = 1; i <= last; ++i) {
        Update(i);
        levels.append(m_cache.at(i).texts);
    }
    Update(0);
    levels.append(m_cache.at(0).texts);
    return levels;
}

QString WinnersFileWriter::Path() const {
    return MakeAbsolutePath(m_status.m_options.m_strAutoOutputFile);
}

void WinnersFileWriter::Refresh() {
    m_cache.clear();
    Snapshot();
}

bool WinnersFileWriter::WriteWinnersText() {
    return SaveWinnersText(Path(), EncodeWinnersText(Snapshot()));
}
