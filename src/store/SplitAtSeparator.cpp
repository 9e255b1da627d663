#include "store/SplitAtSeparator.h"

void SplitAtSeparator(const QString& line, const QString& separator, QString& number,
                      QString& info) {
    const qsizetype at = separator.isEmpty() ? -1 : line.indexOf(separator);
    if (at < 0) {
        number = line.trimmed();
        info.clear();
    } else if (at == 0) {
        number = QStringLiteral("0");
        info = line.trimmed();
    } else {
        number = line.left(at).trimmed();
        info = line.mid(at + separator.size()).trimmed();
    }
}
