#pragma once

#include "StereoBuffer.h"

// The sounds every new prize level starts with.

// The rolling sound: a snare roll over a timpani roll with a ticking clock, swelling once per
// bar. It is a loop: its end runs into its start without a seam.
StereoBuffer RollingLoop();
// The winning-number sound: a "ta-daa" brass hit with drum, cymbal and a glockenspiel sparkle.
StereoBuffer WinningHit();
// The bulletin-board sound: a soft rising chime.
StereoBuffer BoardChime();
