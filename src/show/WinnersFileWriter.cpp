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

// The file's order: prize levels 1 to n in list order, then the default level.
template <typename Visit> void ForEachLevelInFileOrder(const TumoStatus& status, Visit visit) {
    const qsizetype last = status.LevelCount() - 1;
    if (last < 0)
        return;
    for (qsizetype i = 1; i <= last; ++i)
        visit(i);
    visit(0);
}

} // namespace

WinnersFileWriter::WinnersFileWriter(const TumoStatus& status, NumberSource& numbers)
    : m_status(status), m_numbers(numbers) {}

QList<WinnerLine> WinnersFileWriter::CollectWinners(const TumoStatus& status,
                                                    NumberSource& numbers) {
    QList<WinnerLine> lines;
    ForEachLevelInFileOrder(status, [&](qsizetype i) {
        const GradeInfo& level = status.Level(i);
        AppendLevel(lines, level, i == 0 ? GradeBase::DefaultName() : level.m_base.m_strName,
                    numbers);
    });
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
    m_cache.resize(m_status.LevelCount());
    ForEachLevelInFileOrder(m_status, [&](qsizetype i) {
        Update(i);
        levels.append(m_cache.at(i).texts);
    });
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
