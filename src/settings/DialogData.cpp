#include "settings/DialogData.h"

#include "base/AppPaths.h"
#include "model/Prompter.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <QStringList>

#include <algorithm>
#include <limits>

namespace DialogData {

namespace {

// The digits of a decimal, with its sign taken off; empty when the text is not one.
QString DigitsOf(const QString& text, bool allowSign, bool& negative) {
    QString t = text.trimmed();
    negative = false;
    if (allowSign && (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')))) {
        negative = t.startsWith(QLatin1Char('-'));
        t.remove(0, 1);
    }
    if (t.isEmpty())
        return {};
    for (const QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return {};
    return t;
}

} // namespace

bool ParseInt(const QString& text, qint32& value) {
    bool negative = false;
    const QString digits = DigitsOf(text, true, negative);
    if (digits.isEmpty())
        return false;
    bool ok = false;
    const qlonglong v = digits.toLongLong(&ok);
    if (!ok)
        return false;
    const qlonglong signedValue = negative ? -v : v;
    if (signedValue < std::numeric_limits<qint32>::min() ||
        signedValue > std::numeric_limits<qint32>::max())
        return false;
    value = qint32(signedValue);
    return true;
}

bool ParseUInt(const QString& text, quint32& value) {
    bool negative = false;
    const QString digits = DigitsOf(text, false, negative);
    if (digits.isEmpty())
        return false;
    bool ok = false;
    const qulonglong v = digits.toULongLong(&ok);
    if (!ok || v > std::numeric_limits<quint32>::max())
        return false;
    value = quint32(v);
    return true;
}

QString IntegerPrompt() {
    return QStringLiteral("Please enter an integer.");
}

QString UnsignedPrompt() {
    return QStringLiteral("Please enter a positive integer.");
}

QString IntegerRangePrompt(qint32 low, qint32 high) {
    return QStringLiteral("Please enter an integer between %1 and %2.").arg(low).arg(high);
}

namespace {

// The patterns a filter text names, "*.*" taken as everything (as the Windows dialogs do).
QStringList FilterPatterns(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[;, ]+"));
    QStringList patterns = text.split(separators, Qt::SkipEmptyParts);
    for (QString& p : patterns)
        if (p == QLatin1String("*.*"))
            p = QStringLiteral("*");
    return patterns;
}

bool SamePatterns(QStringList a, QStringList b) {
    a.sort();
    b.sort();
    return a == b;
}

} // namespace

// The stored descriptions mostly carry their patterns already ("TXT Files(*.txt)", "*.bmp");
// the pattern list is shown once, in the form the Qt dialog reads it from.
QString QtFileFilter(const QString& windowsFilter) {
    static const QRegularExpression trailingGroup(QStringLiteral("^(.*)\\(([^()]*)\\)\\s*$"));
    const QStringList parts = windowsFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        if (description.isEmpty())
            break; // the closing "||"
        const QStringList patterns = FilterPatterns(parts[i + 1]);
        const QString list = patterns.join(QLatin1Char(' '));
        const QRegularExpressionMatch group = trailingGroup.match(description);
        if (group.hasMatch() && SamePatterns(FilterPatterns(group.captured(2)), patterns))
            filters << group.captured(1) + QLatin1Char('(') + list + QLatin1Char(')');
        else if (SamePatterns(FilterPatterns(description), patterns))
            filters << list;
        else
            filters << description + QStringLiteral(" (") + list + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString InAppFolder(const QString& name) {
    return g_strAppFolder + QLatin1Char('/') + name;
}

WinRect FromPosition(qint32 x, qint32 y, qint32 width, qint32 height) {
    const auto end = [](qint32 origin, qint32 extent) {
        return qint32(std::clamp<qint64>(qint64(origin) + extent,
                                         std::numeric_limits<qint32>::min(),
                                         std::numeric_limits<qint32>::max()));
    };
    return WinRect(x, y, end(x, width), end(y, height));
}

QColor ToQColor(quint32 colorRef) {
    return QColor(int(colorRef & 0xFF), int((colorRef >> 8) & 0xFF), int((colorRef >> 16) & 0xFF));
}

quint32 ToColorRef(const QColor& color) {
    return quint32(color.red()) | (quint32(color.green()) << 8) | (quint32(color.blue()) << 16);
}

namespace {

bool Refuse(QLineEdit* edit, const QString& prompt, Prompter& prompter) {
    prompter.Message(prompt, Prompter::Icon::Warning);
    edit->setFocus();
    edit->selectAll();
    return false;
}

} // namespace

bool ReadInt(QLineEdit* edit, qint32& value, Prompter& prompter) {
    return ParseInt(edit->text(), value) || Refuse(edit, IntegerPrompt(), prompter);
}

bool ReadIntInRange(QLineEdit* edit, qint32& value, qint32 low, qint32 high, Prompter& prompter) {
    qint32 v = 0;
    if (!ParseInt(edit->text(), v) || v < low || v > high)
        return Refuse(edit, IntegerRangePrompt(low, high), prompter);
    value = v;
    return true;
}

bool ReadUInt(QLineEdit* edit, quint32& value, Prompter& prompter) {
    return ParseUInt(edit->text(), value) || Refuse(edit, UnsignedPrompt(), prompter);
}

void DigitsOnly(QLineEdit* edit) {
    static const QRegularExpression digits(QStringLiteral("[0-9]*"));
    edit->setValidator(new QRegularExpressionValidator(digits, edit));
}

} // namespace DialogData
