#include "settings/NumberPageText.h"

#include <algorithm>

namespace NumberPageText {

QString AllNumbers() {
    return QStringLiteral("All numbers:");
}
QString ColumnNumber() {
    return QStringLiteral("Number");
}
QString ColumnInfo() {
    return QStringLiteral("Additional information");
}
QString SummaryTemplate() {
    return QStringLiteral(">>Total numbers: xxx, max digit:yyy.");
}
QString AddTitle() {
    return QStringLiteral("Add a new number");
}
QString ModifyTitle() {
    return QStringLiteral("Modify a number");
}
QString DeleteQuestion(qint64 count) {
    return QStringLiteral("xxx numbers will be deleted, are you sure?")
        .replace(QLatin1String("xxx"), QString::number(count));
}
QString CautionTitle() {
    return QStringLiteral("Caution!");
}
QString CautionText() {
    return QStringLiteral("Some winning numbers have been pulled out! \nIf you press OK, all the "
                          "winning numbers will be cleared.\nMaybe you should backup these "
                          "winning numbers first.");
}
QString OutputFilter() {
    return QStringLiteral("TXT Files(*.txt)|*.txt|All Files (*.*)|*.*||");
}
QString OutputName() {
    return QStringLiteral("output.txt");
}

QString ImportTitle() {
    return QStringLiteral("Create continus number or import from a file");
}
QString RangeTab() {
    return QStringLiteral("Generate the continus numbers.");
}
QString FileTab() {
    return QStringLiteral("Import from a file.");
}
QString MinLargerThanMax() {
    return QStringLiteral("The min number is larger than the max number,please correct it.");
}
QString NotUnicode() {
    return QStringLiteral("Please re-save the file as unicode and re-try!");
}
QString ImportFilter() {
    return QStringLiteral("Txt Files(*.txt,*.csv)|*.txt;*.csv|txt Files (*.txt)|*.txt|csv Files "
                          "(*.csv)|*.csv|All Files(*.*)|*.*||||||");
}
QString ExampleFile() {
    return QStringLiteral("sam.txt");
}

QString EnterNoMoreThan(int characters) {
    return QStringLiteral("Please enter no more than %1 characters.").arg(characters);
}

QString ListNumber(const QString& number) {
    QString out = number;
    return out.replace(QLatin1Char('\t'), QLatin1String("    "));
}

QString ListInfo(const QString& info) {
    QString out = info;
    return out.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
}

QString Summary(qint64 rows, qint32 digits, bool withDigits) {
    QString text = SummaryTemplate();
    text.replace(QLatin1String("xxx"), QString::number(rows));
    text.replace(QLatin1String("yyy"), QLatin1String("?"));
    if (withDigits)
        text.replace(QLatin1Char('?'), QString::number(digits));
    return text;
}

QList<sel> MergeRowRanges(QList<QPair<qint32, qint32>> runs) {
    std::sort(runs.begin(), runs.end());
    QList<sel> out;
    for (const auto& [first, last] : runs) {
        if (first > last || first < 0)
            continue;
        if (!out.isEmpty() && qint64(first) <= qint64(out.last().m_nLast) + 1) {
            out.last().m_nLast = std::max(out.last().m_nLast, last);
            continue;
        }
        out.append(sel{first, last});
    }
    return out;
}

qint64 CountRows(const QList<sel>& ranges) {
    qint64 n = 0;
    for (const sel& r : ranges)
        n += qint64(r.m_nLast) - r.m_nFirst + 1;
    return n;
}

QString InfoForEditor(const QString& stored) {
    QString out = stored;
    return out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString InfoForStore(const QString& edited) {
    QString out = InfoForEditor(edited);
    return out.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}

qsizetype StoredInfoLength(const QString& edited) {
    return InfoForStore(edited).size();
}

QString UpperAscii(const QString& text) {
    QString out = text;
    for (QChar& c : out) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return out;
}

} // namespace NumberPageText
