#pragma once

#include "Model/Automaton/CellMask.h"

class QImage;

namespace Core {
namespace Operations {

// Reduces a mask image to its mask bits. Pure red (255, 0, 0) and pure
// black pixels are opaque, whatever their alpha, except that a fully
// transparent pixel lets the light through: its colour is not drawn (and
// images with premultiplied alpha store it as black). Every other colour
// is transparent. A null image gives the empty mask.
Model::Automaton::CellMask maskFromImage(const QImage &image);

} // namespace Operations
} // namespace Core
