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

void AddLevelRows(QList<WinningList::Row>& rows, const GradeInfo& level, const QString& name,
                  const WinningList::Reader& read) {
    const TakedNu& taken = level.m_taken;
    for (qsizetype i = 0; i < taken.List().size(); ++i) {
        // A drawn index that names no record any more shows empty texts.
        const LoNuInfo number = read ? read(taken.ValueAt(i)) : LoNuInfo();
        WinningList::Row row;
        row.serial = QString::number(rows.size() + 1);
        row.level = i == 0 ? name : QString();
        row.number = number.m_strNumber;
        row.info = WinningList::ShowLineBreaks(number.m_strInfo);
        rows.append(row);
    }
}

} // namespace

QList<WinningList::Row> WinningList::BuildRows(const TumoStatus& status, const Reader& read) {
    QList<Row> rows;
    const std::span<const GradeInfo> levels = status.Levels();
    const qsizetype last = qMin<qsizetype>(status.LastGrade(), std::ssize(levels) - 1);
    for (qsizetype i = 1; i <= last; ++i)
        AddLevelRows(rows, levels[i], levels[i].m_base.m_strName, read);
    if (!levels.empty())
        AddLevelRows(rows, levels[0], OtherLevelName(), read);
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
