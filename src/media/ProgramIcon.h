#pragma once

#include <QIcon>
#include <QImage>

// The program's icon: a gold draw ball on a deep blue tile. Drawn, not loaded, so every window
// has it whatever files the program folder holds; the build writes it out too, for the desktop
// entry.
namespace ProgramIcon {

// The icon drawn for a square of `side` pixels, transparent around the tile.
QImage Draw(int side);
// The icon at the sizes window frames, task bars and launchers ask for.
QIcon Icon();

} // namespace ProgramIcon
