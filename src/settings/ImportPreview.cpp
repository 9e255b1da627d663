#include "settings/ImportPreview.h"

#include "settings/NumberPageText.h"
#include "store/ImportLineReader.h"
#include "store/SplitAtSeparator.h"

#include <QFile>
#include <QFileInfo>

namespace {

bool RefusedMark(const QByteArray& head) {
    return head.startsWith("\xFE\xFF");
}

} // namespace

ImportPreview::Status ImportPreview::Check(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return Status::NoFile;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Status::OpenFailed;
    if (RefusedMark(file.peek(4)))
        return Status::NotUnicode;
    return Status::Listed;
}

ImportPreview ImportPreview::Read(const QString& path, const QString& separator, bool makeUpper) {
    ImportPreview preview;
    preview.status = Check(path);
    if (preview.status != Status::Listed)
        return preview;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        preview.status = Status::OpenFailed;
        return preview;
    }
    ImportLineReader reader(file);
    QString line;
    while (preview.rows.size() < kMaxRows) {
        const ImportLineReader::Result r = reader.Next(line);
        if (r == ImportLineReader::Result::End)
            break;
        if (r == ImportLineReader::Result::TooLong) {
            preview.tooLong = true;
            continue;
        }
        Row row;
        // A line of white space holds no number whatever the separator, as the import takes it.
        if (!line.trimmed().isEmpty())
            SplitAtSeparator(line, separator, row.number, row.info);
        if (makeUpper)
            row.number = NumberPageText::UpperAscii(row.number);
        preview.rows.append(row);
    }
    return preview;
}
