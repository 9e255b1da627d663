#pragma once

#include <QImage>
#include <QPolygon>
#include <QRegion>

// Skin outlines: the border of a picture's non-black area as a polygon, for cutting a window
// to the picture's shape. The points are stored in the settings and reused by both builds of the
// program, so the trace must give the very same points as the Windows build, pixel for pixel.
//
// A pixel is inside when any of its red, green or blue components is 10 or more; black and
// near-black pixels, and everything beyond the picture's edges, are outside. The trace starts at
// the first inside pixel of the middle column (x = width / 2) and runs clockwise along the outer
// pixel edges, so the right and bottom edges of the shape belong to the region.

// Points a trace may hold; a longer outline is traced again with straight runs merged.
constexpr int kTraceBufferPoints = 32767;
constexpr int kTraceOverflowPoints = 32000;

// Traces `bitmap` and returns the number of points stored in `points`; `region` receives the
// polygon (odd-even fill). With `compact` set, straight runs of 3 or more steps keep only their
// first and last point. Alpha is ignored, so a skin should be drawn over an opaque image filled
// with black first (a fresh QImage holds whatever memory it got).
//
// An outline needs 3 points or more: anything less (no inside pixel in the middle column, a lone
// pixel) gives 0 points and an empty region, which callers take as "no outline". An outline too
// long even when compacted is given up the same way.
int TraceBitmapRegion(const QImage& bitmap, QRegion& region, QPolygon& points,
                      bool compact = false);

// The region of stored outline points; empty (no outline) when they are fewer than 3.
QRegion RegionFromOutline(const QPolygon& points);
