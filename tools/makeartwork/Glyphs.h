#pragma once

#include <QImage>
#include <QSize>

// Small pictures: buttons, icons and pointers. Icons are drawn afresh for every size, so
// that the small ones stay sharp.
namespace Glyphs {

// The drawing button: a sheet with a dimensioned outline.
QImage drawingButton(const QSize& size);

// The program's icon: the brand's bolt on a blue tile.
QImage programIcon(int size);

// The configuration dialog's icon: the catalogue database.
QImage dialogIcon(int size);

// The browse button's icon: a folder.
QImage browseIcon(int size);

// The magnifying-glass pointer, 32 x 32, in black, white and transparent only.
QImage magnifierPointer();

// The pointing-hand pointer, 24 x 24, in colour.
QImage handPointer();

} // namespace Glyphs
