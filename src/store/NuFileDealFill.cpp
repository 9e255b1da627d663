#include "store/NuFileDeal.h"
#include "store/NuFileDealAppender.h"

#include "model/Prompter.h"
#include "model/SafeFileWriter.h"
#include "model/TumoStatus.h"
#include "store/FairRandom.h"
#include "store/ImportLineReader.h"
#include "store/PlainImportLine.h"
#include "store/PoolIndexBuilder.h"
#include "store/ProgressMeter.h"
#include "store/SplitAtSeparator.h"
#include "store/StoreTexts.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <future>
#include <limits>
#include <vector>

namespace {

// An import reads its file in large blocks; a line may still span any number of them.
constexpr qsizetype kImportReadBytes = 1 << 20;

QString upperAscii(QString text) {
    for (QChar& c : text) {
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    }
    return text;
}

// An import's progress by the bytes read. The shown percentage grows only at byte counts worked
// out once per percentage with the meter's own arithmetic, so a line costs one comparison and
// the texts are the ones a step after every line would show; the meter still gets a step every
// few lines, to let input through.
class ImportProgress {
public:
    ImportProgress(ProgressMeter& meter, qint64 length)
        : m_meter(meter), m_length(float(std::max<qint64>(1, length))),
          m_search(2 * std::max<qint64>(1, length)), m_next(firstReaching(1)) {}

    bool Step(qint64 bytes) {
        if (bytes < m_next && --m_countdown > 0)
            return true;
        m_countdown = kLinesPerStep;
        if (bytes >= m_next)
            m_next = firstReaching(int(percent(bytes)) + 1);
        return m_meter.Step(percent(bytes));
    }

private:
    static constexpr int kLinesPerStep = 16;

    float percent(qint64 bytes) const { return float(bytes) * 100.0f / m_length; }

    // The least byte count whose whole percentage reaches p; the percentage never falls as the
    // count grows.
    qint64 firstReaching(int p) const {
        if (p > 100 || int(percent(m_search)) < p)
            return std::numeric_limits<qint64>::max();
        qint64 low = 0, high = m_search;
        while (low < high) {
            const qint64 mid = low + (high - low) / 2;
            if (int(percent(mid)) >= p)
                high = mid;
            else
                low = mid + 1;
        }
        return low;
    }

    ProgressMeter& m_meter;
    float m_length;
    qint64 m_search;
    qint64 m_next;
    int m_countdown = kLinesPerStep;
};

} // namespace

// ---- Bulk filling ---------------------------------------------------------------------------

qint32 NuFileDeal::CreateContinuousNumbers(quint32 first, quint32 last, Fill fill) {
    if (fill == Fill::Replace)
        return replaceWith([&] { return appendRange(first, last); });
    if (tailIsUnindexed() && !GenerateIndex())
        return 0;
    return appendRange(first, last);
}

qint32 NuFileDeal::appendRange(quint32 first, quint32 last) {
    bool stopped = false;
    {
        ProgressMeter meter(m_pProgress, StoreTexts::TaskRange());
        m_bReady = 0;
        Appender appender(*this);
        // 64-bit, so that a range ending at the largest value ends.
        const quint64 total = first <= last ? quint64(last) - first : 0;
        for (quint64 v = first, k = 0; v <= last; ++v, ++k) {
            const QString number = QString::number(v);
            const QString info = QStringLiteral("Info.") + number;
            const Appender::Result r = appender.Add(number, info);
            if (r != Appender::Result::Added) {
                tell(r == Appender::Result::TooMany ? StoreTexts::TooMany()
                                                    : StoreTexts::WriteError());
                stopped = true;
                break;
            }
            // A range of one number is done after its first record.
            const float percent = total == 0 ? 100.0f : float(k) * 100.0f / float(total);
            if (!meter.Step(percent)) {
                appender.Flush();
                return 0;
            }
        }
        if (!appender.Flush()) {
            tell(StoreTexts::WriteError());
            stopped = true;
        }
    }
    // The records were indexed as they were appended: nothing else needs a pass.
    m_bReady = 1;
    return stopped ? 0 : 1;
}

qint32 NuFileDeal::ImportFromFile(const QString& path, const QString& separator, qint32 makeUpper,
                                  Fill fill) {
    if (!QFileInfo(path).isFile())
        return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(StoreTexts::OpenFileError());
        return 0;
    }
    if (fill == Fill::Replace)
        return replaceWith([&] { return appendLines(file, separator, makeUpper != 0); });
    if (tailIsUnindexed() && !GenerateIndex())
        return 0;
    const qint32 done = appendLines(file, separator, makeUpper != 0);
    if (m_nRefusedLines > 0)
        tell(StoreTexts::LinesRefused(m_nRefusedLines));
    return done;
}

// A line of blanks and tabs only, in any encoding: whatever the separator, it holds no number.
bool NuFileDeal::isBlankLine(ImportLineReader& reader, QByteArrayView bytes) {
    const qsizetype unitBytes = reader.IsUtf16() ? 2 : 1;
    if (bytes.size() < unitBytes)
        return true;
    // Nearly every line starts with its number: only a line that starts with a blank or with a
    // unit beyond ASCII is looked at as text.
    const unsigned first = reader.IsUtf16() ? qFromLittleEndian<quint16>(bytes.data())
                                            : unsigned(static_cast<unsigned char>(bytes.front()));
    if (first > 0x20 && first < 0x80)
        return false;
    return reader.Decode(bytes).trimmed().isEmpty();
}

qint32 NuFileDeal::appendLines(QFile& file, const QString& separator, bool makeUpper) {
    bool stopped = false;
    qint64 refused = 0;
    qint64 read = 0;
    const quint64 entriesBefore = m_nEntries;
    {
        ProgressMeter meter(m_pProgress, StoreTexts::TaskImport());
        m_bReady = 0;
        Appender appender(*this);
        ImportLineReader reader(file, kImportReadBytes);
        const PlainImportLine plain(separator, makeUpper);
        ImportProgress progress(meter, file.size());
        bool toldTooLong = false;
        QByteArrayView bytes;
        QString number, info;
        for (;;) {
            const ImportLineReader::Result r = reader.NextRaw(bytes);
            if (r == ImportLineReader::Result::End) {
                // A file that stops reading midway is not read whole.
                if (reader.Failed()) {
                    tell(StoreTexts::OpenFileError());
                    stopped = true;
                }
                break;
            }
            ++read;
            Appender::Result a = Appender::Result::Added;
            if (r == ImportLineReader::Result::TooLong) {
                if (!toldTooLong)
                    tell(StoreTexts::LineTooLong());
                toldTooLong = true;
            } else if (!isBlankLine(reader, bytes)) {
                const qsizetype units = reader.IsUtf16() ? bytes.size() / 2 : bytes.size();
                char16_t* room = appender.Room(PlainImportLine::MaxRecordBytes(units));
                PlainImportLine::Record made;
                const PlainImportLine::Outcome o =
                    reader.IsUtf16() ? plain.Make(reinterpret_cast<const char16_t*>(bytes.data()),
                                                  units, room, made)
                                     : plain.Make(reinterpret_cast<const quint8*>(bytes.data()),
                                                  units, room, made);
                if (o == PlainImportLine::Outcome::Record) {
                    if (made.numberUnits > kMaxNumberUnits)
                        ++refused;
                    else
                        a = appender.Commit(made.numberUnits, made.infoUnits);
                } else if (o == PlainImportLine::Outcome::NotPlain) {
                    SplitAtSeparator(reader.Decode(bytes), separator, number, info);
                    info.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
                    if (makeUpper)
                        number = upperAscii(number);
                    if (!number.isEmpty() &&
                        (number.size() > kMaxNumberUnits || !PoolRecord::IsStorable(number, info)))
                        ++refused;
                    else if (!number.isEmpty())
                        a = appender.Add(number, info);
                }
            }
            if (a != Appender::Result::Added) {
                tell(a == Appender::Result::TooMany ? StoreTexts::TooMany()
                                                    : StoreTexts::WriteError());
                stopped = true;
                break;
            }
            if (!progress.Step(reader.BytesConsumed())) {
                appender.Flush();
                return 0;
            }
        }
        if (!appender.Flush()) {
            tell(StoreTexts::WriteError());
            stopped = true;
        }
    }
    file.close();
    m_nRefusedLines = refused;
    m_nLinesNotStored = read - qint64(m_nEntries - entriesBefore);
    // The records were indexed as they were appended: nothing else needs a pass.
    m_bReady = 1;
    return stopped ? 0 : 1;
}
