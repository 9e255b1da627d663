#include "show/WinnersFileWriter.h"

#include "app/AppPaths.h"
#include "model/TumoStatus.h"
#include "show/NumberSource.h"

namespace {

void AppendLevel(QList<WinnerLine>& lines, const GradeInfo& level, const QString& name,
                 NumberSource& numbers) {
    const QList<SUINT>& drawn = level.m_taken.List();
    for (const SUINT& entry : drawn) {
        const LoNuInfo number = numbers.ReadNumber(entry.m_nValue);
        lines.append({name, number.m_strNumber, number.m_strInfo});
    }
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
    const qsizetype last = qMin(qsizetype(status.LastGrade()), std::ssize(levels) - 1);
    for (qsizetype i = 1; i <= last; ++i) {
        const GradeInfo& level = levels[i];
        AppendLevel(lines, level, level.m_base.m_strName, numbers);
    }
    AppendLevel(lines, levels[0], GradeBase::DefaultName(), numbers);
    return lines;
}

void WinnersFileWriter::WriteWinnersText() {
    const QString path = MakeAbsolutePath(m_status.m_options.m_strAutoOutputFile);
    SaveWinnersText(path, EncodeWinnersText(CollectWinners(m_status, m_numbers)));
}
