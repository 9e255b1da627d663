// A number file to import, line by line, in either encoding.
#include "FuzzSupport.h"
#include "store/ImportLineReader.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes = FuzzSupport::Bytes(data, size);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    // A small block makes lines cross block ends often.
    ImportLineReader reader(buffer, 64 + qsizetype(size % 64));
    QString line;
    while (reader.Next(line) != ImportLineReader::Result::End) {
    }
    return 0;
}
