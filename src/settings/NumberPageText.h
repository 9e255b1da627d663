#pragma once

#include "store/sel.h"

#include <QList>
#include <QPair>
#include <QString>

// The texts of the numbers page and its dialogs, and the widget-free rules behind what they show:
// how a record reads in the list, the summary line, how a selection becomes delete ranges, and
// the file choosers' filters.
namespace NumberPageText {

// Page and list.
QString AllNumbers();
QString ColumnNumber();
QString ColumnInfo();
QString SummaryTemplate();
QString AddTitle();
QString ModifyTitle();
QString DeleteQuestion(qint64 count);
QString CautionTitle();
QString CautionText();
QString OutputFilter();
QString OutputName();

// Import and generation dialogs.
QString ImportTitle();
QString RangeTab();
QString FileTab();
QString MinLargerThanMax();
QString NotUnicode();
QString ImportFilter();
QString ExampleFile();

// The prompt of a text over its edit's limit.
QString EnterNoMoreThan(int characters);

// A number as the list shows it: a tab takes the room of four blanks.
QString ListNumber(const QString& number);
// An information text as the list and the output file show it: each CR LF reads backslash, n.
QString ListInfo(const QString& info);
// ">>Total numbers: 12, max digit:?." — the digit count only when asked for.
QString Summary(qint64 rows, qint32 digits, bool withDigits);
// Selected rows, as (first, last) runs in any order and possibly touching or overlapping,
// merged into the ascending, disjoint, maximal ranges that the pool deletes.
QList<sel> MergeRowRanges(QList<QPair<qint32, qint32>> runs);
// The number of rows the ranges cover.
qint64 CountRows(const QList<sel>& ranges);
// The information edit works with line feeds; the pool keeps CR LF.
QString InfoForEditor(const QString& stored);
QString InfoForStore(const QString& edited);
// Length as the pool stores it (a line break counts twice).
qsizetype StoredInfoLength(const QString& edited);
// Turns a to z into A to Z, nothing else.
QString UpperAscii(const QString& text);

} // namespace NumberPageText
