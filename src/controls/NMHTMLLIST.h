#pragma once

#include <QString>

class QWidget;

// The notices of the markup list to its owner, with the numbers they always had.
enum : int {
    HTMLLIST_NOTIFY_SELECT = 1158,
    HTMLLIST_NOTIFY_CLICK = 1159,
    HTMLLIST_NOTIFY_RCLICK = 1160,
    HTMLLIST_NOTIFY_DBLCLK = 1161,
    HTMLLIST_NOTIFY_CHECK = 1162,
    HTMLLIST_NOTIFY_EXPAND = 1163,
};

// One notice of the markup list. Fields a notice does not fill are 0 or empty; nItemNo is -1 when
// the notice concerns no item.
struct NMHTMLLIST {
    // Who sent the notice and which one it is.
    struct Header {
        QWidget* hwndFrom = nullptr;
        int idFrom = 0;
        int code = 0;
    };

    Header hdr;
    int nItemNo = -1;
    QString sItemText;
    int lItemData = 0;
    int bChecked = 0;
    int nRelCtrlId = 0;
    QString sTipTitle;
    QString sTipContent;
};
