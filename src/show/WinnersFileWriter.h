#pragma once

#include "show/WinnersFile.h"
#include "show/WinnersOutput.h"

class NumberSource;
class TumoStatus;

// Writes the winners text file named by the automatic output option, from the levels' drawn
// lists and the pool's texts.
class WinnersFileWriter : public WinnersOutput {
public:
    WinnersFileWriter(const TumoStatus& status, NumberSource& numbers);

    void WriteWinnersText() override;

    // Prize levels 1 to n in list order, then the default level, each in the order of drawing.
    static QList<WinnerLine> CollectWinners(const TumoStatus& status, NumberSource& numbers);

private:
    const TumoStatus& m_status;
    NumberSource& m_numbers;
};
