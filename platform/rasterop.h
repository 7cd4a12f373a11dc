#pragma once
// The picture box's drawing in the modes that combine with the picture
// (exclusive-or and the other raster operations): the Qt composition of a
// mode, and fills and lines that Qt is handed in pieces it draws on the
// painting thread.

#include <QBrush>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include "platform/picturebox.h"

namespace ondrik {

// Positions further out than this are clamped before they reach QPainter:
// far outside the picture, but small enough for its integer arithmetic.
constexpr double kMaxDevicePixel = 1e6;

QPainter::CompositionMode CompositionOf(DrawMode m);

// A filled rectangle in the painter's mode: an exclusive-or of one colour
// on the pixels themselves, other modes that combine in bands of rows.
void FillInBands(QPainter& p, const QRect& r, const QBrush& brush, DrawMode mode);

// A line one pixel wide, in bands along its longer side when the painter
// combines (every pixel the one the whole line would set, and set once).
void LineInBands(QPainter& p, const QPoint& a, const QPoint& b, bool combines);

}  // namespace ondrik
