#include "settings/NumberOutput.h"

#include "model/SafeFileWriter.h"
#include "settings/NumberPageText.h"
#include "store/NuFileDeal.h"

namespace {

constexpr qsizetype kFlushBytes = 1 << 20;

void AppendUtf16(QByteArray& out, const QString& text) {
    for (const QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
}

} // namespace

QString NumberOutput::Line(const QString& number, const QString& info) {
    return number + QLatin1Char(',') + NumberPageText::ListInfo(info) + QLatin1String("\r\n");
}

NumberOutput::Result NumberOutput::Write(NuFileDeal& pool, const QString& path) {
    SafeFileWriter file(path);
    if (!file.open())
        return Result::OpenFailed;
    QByteArray buffer("\xFF\xFE", 2);
    const quint32 count = pool.GetCount();
    for (quint32 i = 0; i < count; ++i) {
        const LoNuInfo record = pool.ReadNumber(i);
        // A record that cannot be read means a damaged pool (the pool says so): a file with
        // holes in it would pass for a complete copy.
        if (!record.IsValid()) {
            file.cancel();
            return Result::WriteFailed;
        }
        AppendUtf16(buffer, Line(record.m_strNumber, record.m_strInfo));
        if (buffer.size() >= kFlushBytes) {
            if (!file.write(buffer))
                return Result::WriteFailed;
            buffer.clear();
        }
    }
    if (!file.write(buffer) || !file.commit())
        return Result::WriteFailed;
    return Result::Written;
}
