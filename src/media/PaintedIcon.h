#pragma once

#include <QImage>
#include <QPainter>

#include <functional>

// The pictures the program draws for itself instead of loading them: icons and button pictures.
namespace PaintedIcon {

// A square of `side` pixels, transparent where `paint` leaves it, painted with antialiasing.
QImage Paint(int side, const std::function<void(QPainter&)>& paint);

} // namespace PaintedIcon
