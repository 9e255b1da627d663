#pragma once

// Where the list of all winners goes after each draw step when automatic output is on.
class WinnersOutput {
public:
    virtual ~WinnersOutput() = default;

    virtual void WriteWinnersText() = 0;
};
