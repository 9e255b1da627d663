#include "settings/OtherOptionRules.h"

#include "base/AppPaths.h"
#include "model/AnsiCodec.h"
#include "show/SymbolSet.h"

#include <algorithm>

QString OtherOptionRules::MonitorItem(int number) {
    return QStringLiteral("Monitor") + QStringLiteral(":%1").arg(number);
}

QStringList OtherOptionRules::MonitorItems(int count) {
    QStringList items;
    for (int n = 1; n <= count; ++n)
        items << MonitorItem(n);
    return items;
}

int OtherOptionRules::MonitorToStore(int chosenIndex, int monitorCount, int stored) {
    if (monitorCount < 1)
        return stored;
    if (chosenIndex < 0 || chosenIndex >= monitorCount)
        return 1;
    return chosenIndex + 1;
}

QStringList OtherOptionRules::StartSymbolItems(const QString& symbols) {
    QStringList items;
    for (const QChar c : symbols)
        items << QString(c);
    // A sorted list box orders its texts without regard to case.
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return items;
}

int OtherOptionRules::FindStartSymbol(const QStringList& items, quint8 stored) {
    const QString wanted(SymbolSet::StartChar(stored));
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items.at(i).compare(wanted, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

quint8 OtherOptionRules::StartSymbolToStore(const QString& chosen, quint8 stored) {
    if (chosen.isEmpty())
        return stored;
    const QString character = chosen.left(1);
    const QByteArray bytes = AnsiCodec::fromUnicode(character);
    // A character the code page lacks comes out as a stand-in byte, which would show another
    // character than the one chosen.
    if (bytes.size() != 1 || AnsiCodec::toUnicode(bytes) != character)
        return stored;
    return quint8(bytes.at(0));
}

QString OtherOptionRules::SymbolMoviePath(const QString& stored) {
    return ResolveFileCase(MakeAbsolutePath(stored));
}
