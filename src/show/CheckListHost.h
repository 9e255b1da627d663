#pragma once

#include <QStringList>

// The check-list pop-up that offers the numbers of the last draw step for removal. The owner
// shows it near the bottom-right corner of the screen and reports the operator's choice to
// DrawSequence::OnInfoTipResult.
class CheckListHost {
public:
    virtual ~CheckListHost() = default;

    virtual void ShowCheckList(const QStringList& lines) = 0;
};
