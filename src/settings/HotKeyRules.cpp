#include "settings/HotKeyRules.h"

#include "show/AccelKeys.h"

namespace {

// The Qt key behind a key item; the stored code comes from the key filter's own table, so the
// editor and the filter can never disagree on what a record means.
int QtKeyOfItem(const QString& item) {
    if (item == HotKeyRules::SpaceItem())
        return Qt::Key_Space;
    if (item == HotKeyRules::ReturnItem())
        return Qt::Key_Return;
    if (item.size() == 1 && item.at(0) >= QLatin1Char('A') && item.at(0) <= QLatin1Char('Z'))
        return Qt::Key_A + (item.at(0).unicode() - 'A');
    return 0;
}

// Records 3 to 5: the commands that must not share a key.
constexpr int kFirstUniqueRecord = 3;
constexpr int kLastUniqueRecord = 5;

} // namespace

QStringList HotKeyRules::CommandItems() {
    return {QStringLiteral("Draw out a winning number"), QStringLiteral("Restart"),
            QStringLiteral("Settings..."), QStringLiteral("View winning numbers"),
            QStringLiteral("Quit")};
}

QStringList HotKeyRules::KeyItems(int command) {
    QStringList items;
    if (TakesSpaceAndReturn(command))
        items << SpaceItem() << ReturnItem();
    for (char c = 'A'; c <= 'Z'; ++c)
        items << QString(QLatin1Char(c));
    return items;
}

int HotKeyRules::ModifierOf(quint8 fVirt) {
    int modifier = kNoModifier;
    if (fVirt & AccelEntry::FCONTROL)
        modifier = kCtrl;
    if (fVirt & AccelEntry::FSHIFT)
        modifier = kShift;
    if (fVirt & AccelEntry::FALT)
        modifier = kAlt;
    return modifier;
}

quint8 HotKeyRules::FVirtOf(int modifier) {
    switch (modifier) {
    case kCtrl:
        return AccelEntry::FVIRTKEY | AccelEntry::FCONTROL;
    case kShift:
        return AccelEntry::FVIRTKEY | AccelEntry::FSHIFT;
    case kAlt:
        return AccelEntry::FVIRTKEY | AccelEntry::FALT;
    default:
        return AccelEntry::FVIRTKEY;
    }
}

quint16 HotKeyRules::KeyCodeOfItem(const QString& item) {
    const int qtKey = QtKeyOfItem(item);
    return qtKey ? AccelKeys::VirtualKeyOf(qtKey, Qt::NoModifier) : 0;
}

QString HotKeyRules::ItemOfKeyCode(quint16 key) {
    if (key == 0)
        return {};
    for (const QString& item : KeyItems(0)) {
        if (KeyCodeOfItem(item) == key)
            return item;
    }
    return {};
}

bool HotKeyRules::IsSpaceOrReturn(quint16 key) {
    return key == KeyCodeOfItem(SpaceItem()) || key == KeyCodeOfItem(ReturnItem());
}

bool HotKeyRules::IsKeyUsed(const OtherOption::AccelTable& table, int command, quint16 key) {
    const int own = command + 1;
    for (int record = kFirstUniqueRecord; record <= kLastUniqueRecord; ++record) {
        if (record != own && table[record].key == key)
            return true;
    }
    return false;
}

bool HotKeyRules::Write(OtherOption::AccelTable& table, int command, quint16 key, int modifier) {
    if (command < 0 || command >= kCommandCount || IsKeyUsed(table, command, key))
        return false;
    AccelEntry& entry = table[command + 1];
    entry.key = key;
    entry.fVirt = FVirtOf(modifier);
    return true;
}
