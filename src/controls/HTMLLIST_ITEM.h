#pragma once

#include <QRect>
#include <QString>

// One entry of the markup list, owned by the list.
struct HTMLLIST_ITEM {
    // How the text is drawn and measured.
    enum Type : int {
        kMarkup = 1,    // the markup of DrawMarkupText, wrapped
        kPlainWrap = 2, // plain text, wrapped
        kPlainLine = 3, // plain text on one line, centred vertically
    };

    int nItemNo = -1; // position in the list, -1 until inserted
    int nHeight = 0;
    int nType = kMarkup;
    QString sItemText;
    int lItemData = 0;
    QRect rcItem; // where it was painted last, in client coordinates
    bool bChecked = false;
    bool bHeightSpecified = false; // the height was given, never measured
    int uiImage = 0;
    bool bVisible = true; // false while a parent is collapsed
    int nLevel = 0;
    bool bHasChildren = false;
    bool bExpanded = true;
    int nRelCtrlId = 0; // the control elsewhere in the program that the item describes
    bool bSavedVisible = true;
    QString sTipTitle;
    QString sTipContent;
};
