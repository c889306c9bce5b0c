#pragma once

#include <QImage>

// Skin pictures are shipped with a palette of at most 256 colours: the software renderer draws such
// a picture straight from its one byte per pixel, so the window holds a quarter of the memory for
// it. A picture of more colours is reduced only when it is large, and its gradients keep their
// look through error diffusion.
namespace PaletteImage {

// Whether `image` is large enough for a palette to be worth its loss.
bool worthReducing(const QImage &image);
// `image` with at most 256 colours (alpha included), exact when it has no more than that.
QImage reduce(const QImage &image);
// `image` with a palette when it has at most 256 colours, else a null image: no loss at any size.
QImage exact(const QImage &image);

} // namespace PaletteImage
