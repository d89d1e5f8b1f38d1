#pragma once

#include <QIcon>

class QPainter;
class QRectF;

// The toolbar images, drawn rather than loaded so that they stay sharp at
// every size and scale: the toolbar uses them at full size, the menus beside
// the same commands at the small menu size.
bool HasCommandImage(unsigned id);
// A null icon for a command without an image.
QIcon CommandIcon(unsigned id);
// Paints the image of `id` into `target` (a square is used, centred).
void PaintCommandImage(QPainter &painter, unsigned id, const QRectF &target);
