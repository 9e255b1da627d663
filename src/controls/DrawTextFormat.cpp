#include "controls/DrawTextFormat.h"

namespace DrawTextFormat {

namespace {

int HorizontalFlags(unsigned format) {
    if (format & DT_CENTER)
        return Qt::AlignHCenter;
    if (format & DT_RIGHT)
        return Qt::AlignRight;
    return Qt::AlignLeft;
}

int VerticalFlags(unsigned format) {
    if (!(format & DT_SINGLELINE))
        return Qt::AlignTop;
    if (format & DT_BOTTOM)
        return Qt::AlignBottom;
    if (format & DT_VCENTER)
        return Qt::AlignVCenter;
    return Qt::AlignTop;
}

} // namespace

int ToQtTextFlags(unsigned format) {
    int flags = HorizontalFlags(format) | VerticalFlags(format);
    if (format & DT_SINGLELINE)
        flags |= Qt::TextSingleLine;
    else if (format & DT_WORDBREAK)
        flags |= Qt::TextWordWrap;
    if (format & DT_NOCLIP)
        flags |= Qt::TextDontClip;
    if (format & DT_EXPANDTABS)
        flags |= Qt::TextExpandTabs;
    if (!(format & DT_NOPREFIX))
        flags |= Qt::TextShowMnemonic;
    return flags;
}

} // namespace DrawTextFormat
