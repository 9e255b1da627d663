#pragma once

#include <QIcon>
#include <QImage>

// The adjust tool's button pictures, drawn by the program: small diagrams of what each command
// does to the selected elements, in a dark ink with the reference element in red.
class AdjustToolIcons {
public:
    static constexpr int kSide = 24;

    // The picture of a command of the adjust tool; a blank one for any other id.
    static QImage Draw(int command);
    static QIcon Icon(int command);
};
