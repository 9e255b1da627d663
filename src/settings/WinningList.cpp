#include "settings/WinningList.h"

#include "base/AppPaths.h"
#include "model/TumoStatus.h"

#include <QDir>

QString WinningList::OtherLevelName() {
    return QStringLiteral("Other Winning numbers");
}

QString WinningList::CopiedText() {
    return QStringLiteral("The winning numbers is coped to the clipboard.");
}

QString WinningList::ClearQuestion() {
    return QStringLiteral("Are you sure?");
}

QString WinningList::TextFileFilter() {
    return QStringLiteral("Txt Files (*.txt);;All Files (*.*)");
}

QString WinningList::CaptionPrefix() {
    return QStringLiteral("Output winning numbers to a TXT file \"");
}

QString WinningList::CaptionSuffix() {
    return QStringLiteral("\" at the same time.");
}

namespace {

void AddLevelIndexes(QList<quint32>& indexes, const GradeInfo& level) {
    const TakedNu& taken = level.m_taken;
    for (qsizetype i = 0; i < taken.List().size(); ++i)
        indexes.append(taken.ValueAt(i));
}

void AddLevelRows(QList<WinningList::Row>& rows, const GradeInfo& level, const QString& name,
                  const QList<LoNuInfo>& numbers) {
    const qsizetype count = level.m_taken.List().size();
    for (qsizetype i = 0; i < count; ++i) {
        // A drawn index that names no record any more shows empty texts.
        const qsizetype at = rows.size();
        const LoNuInfo number = at < numbers.size() ? numbers.at(at) : LoNuInfo();
        WinningList::Row row;
        row.serial = QString::number(at + 1);
        row.level = i == 0 ? name : QString();
        row.number = number.m_strNumber;
        row.info = WinningList::ShowLineBreaks(number.m_strInfo);
        rows.append(std::move(row));
    }
}

} // namespace

QList<WinningList::Row> WinningList::BuildRows(const TumoStatus& status, const Reader& read) {
    return BuildRows(status, [&read](const QList<quint32>& indexes) {
        QList<LoNuInfo> numbers;
        if (!read)
            return numbers;
        numbers.reserve(indexes.size());
        for (quint32 index : indexes)
            numbers.append(read(index));
        return numbers;
    });
}

QList<WinningList::Row> WinningList::BuildRows(const TumoStatus& status, const BulkReader& read) {
    const std::span<const GradeInfo> levels = status.Levels();
    const qsizetype last = qMin<qsizetype>(status.LastGrade(), std::ssize(levels) - 1);
    // Every level's indexes first, so that the pool is read once for the whole list.
    QList<quint32> indexes;
    for (qsizetype i = 1; i <= last; ++i)
        AddLevelIndexes(indexes, levels[i]);
    if (!levels.empty())
        AddLevelIndexes(indexes, levels[0]);
    const QList<LoNuInfo> numbers = read ? read(indexes) : QList<LoNuInfo>();

    QList<Row> rows;
    rows.reserve(indexes.size());
    for (qsizetype i = 1; i <= last; ++i)
        AddLevelRows(rows, levels[i], levels[i].m_base.m_strName, numbers);
    if (!levels.empty())
        AddLevelRows(rows, levels[0], OtherLevelName(), numbers);
    return rows;
}

QString WinningList::BuildText(const QList<Row>& rows) {
    const QString eol = QStringLiteral("\r\n");
    const QChar comma = QLatin1Char(',');
    QString text = QStringLiteral("SN.,Name,Number,Additional information") + eol;
    QString level;
    for (const Row& row : rows) {
        if (!row.level.isEmpty())
            level = row.level;
        text += row.serial + comma + level + comma + row.number + comma + row.info + eol;
    }
    return text;
}

QString WinningList::ShowLineBreaks(const QString& info) {
    QString shown = info;
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\\n"));
}

QByteArray WinningList::FileBytes(const QString& text) {
    QByteArray bytes("\xFF\xFE", 2);
    bytes.reserve(2 + text.size() * 2);
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        bytes.append(char(u & 0xFF));
        bytes.append(char(u >> 8));
    }
    return bytes;
}

QString WinningList::CompleteOutputPath(const QString& stored) {
    return MakeAbsolutePath(stored);
}

QString WinningList::AutoOutputCaption(const QString& path) {
    return CaptionPrefix() + QDir::toNativeSeparators(path) + CaptionSuffix();
}
