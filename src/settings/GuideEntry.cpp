#include "settings/GuideEntry.h"

#include <QFile>
#include <QXmlStreamReader>

#include <algorithm>
#include <limits>
#include <utility>

namespace {

// The text of an element and everything inside it, as the document model gives it.
QString ElementText(QXmlStreamReader& xml) {
    return xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
}

GuideEntry ReadItem(QXmlStreamReader& xml) {
    GuideEntry entry;
    bool seen[6] = {};
    // The first of each element counts, as a lookup by name finds it.
    auto first = [&seen](int slot) { return !std::exchange(seen[slot], true); };
    while (xml.readNextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"title" && first(0))
            entry.title = ElementText(xml);
        else if (name == u"content" && first(1))
            entry.content = ElementText(xml);
        else if (name == u"level" && first(2))
            entry.level = ParseGuideNumber(ElementText(xml));
        else if (name == u"relCtrlID" && first(3))
            entry.relCtrlId = ParseGuideNumber(ElementText(xml));
        else if (name == u"tipTitle" && first(4))
            entry.tipTitle = ElementText(xml);
        else if (name == u"tipContent" && first(5))
            entry.tipContent = ElementText(xml);
        else
            xml.skipCurrentElement();
    }
    return entry;
}

} // namespace

QString GuideEntry::ListText() const {
    return content.isEmpty() ? title : title + QStringLiteral("<br>") + content;
}

std::vector<GuideEntry> ParseGuideEntries(const QByteArray& data) {
    QXmlStreamReader xml(data);
    std::vector<GuideEntry> entries;
    if (!xml.readNextStartElement() || xml.name() != u"Items")
        return {};
    while (xml.readNextStartElement()) {
        if (xml.name() == u"Item")
            entries.push_back(ReadItem(xml));
        else
            xml.skipCurrentElement();
    }
    // A document damaged anywhere, after the last item too, is not taken at all.
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        return {};
    return entries;
}

std::vector<GuideEntry> ReadGuideFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseGuideEntries(file.readAll());
}

int ParseGuideNumber(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        negative = text[i++] == u'-';
    qint64 value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > qint64(std::numeric_limits<int>::max()) + 1)
            break;
    }
    value = negative ? -value : value;
    value =
        std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
    return int(value);
}
