#pragma once

#include "store/LoNuInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

class TumoStatus;

// What the winning-numbers dialog lists and exports, kept apart from its widgets: the rows of
// every level's winners, the text that is copied and written to a file, and the caption of the
// automatic output box.
class WinningList {
public:
    struct Row {
        QString serial; // 1, 2, ... across the whole list
        QString level;  // the level's name in the first row of its block, else empty
        QString number;
        QString info; // line breaks shown as backslash and n
    };
    using Reader = std::function<LoNuInfo(quint32 poolIndex)>;
    // Reads many records at once, answering in the order asked (the pool reads them in one pass
    // in file order).
    using BulkReader = std::function<QList<LoNuInfo>(const QList<quint32>& poolIndexes)>;

    static QString OtherLevelName(); // the default level's block: string 32855
    static QString CopiedText();     // string 1
    static QString ClearQuestion();  // "Are you sure?"
    static QString TextFileFilter(); // the file choosers' filter
    static QString CaptionPrefix();  // string 32808
    static QString CaptionSuffix();  // string 32809

    // The prize levels 1 to m_nLastGrade in list order, then the default level; in each, the
    // drawn numbers in draw order read from the pool. A level without winners adds no row.
    static QList<Row> BuildRows(const TumoStatus& status, const Reader& read);
    static QList<Row> BuildRows(const TumoStatus& status, const BulkReader& read);

    // A header line, then one line per row: serial, level name, number, information, separated
    // by commas, each line ended by CR LF. Every line names its level, also where the list shows
    // the name only in the first row of a block. Nothing is quoted.
    static QString BuildText(const QList<Row>& rows);

    // CR LF pairs become the two characters backslash and n.
    static QString ShowLineBreaks(const QString& info);

    // The bytes of an exported file: the byte-order mark FF FE, then the text in UTF-16LE.
    static QByteArray FileBytes(const QString& text);

    // A stored automatic-output name without a folder lies in the program folder.
    static QString CompleteOutputPath(const QString& stored);

    // The check box caption: 'Output winning numbers to a TXT file "<path>" at the same time.'
    static QString AutoOutputCaption(const QString& path);
};
