#pragma once

#include <QtGlobal>

// One monotonic millisecond clock for the whole process. Players stamp their state with it on
// whichever thread owns them, and views on the GUI thread read the same clock to work out what
// the state looks like now, so a rolling symbol needs no message per painted frame.
class MovieClock {
public:
    static qint64 NowMs();
};
