#pragma once
// The program's pictures, drawn at run time: the banner, the logo, the update picture and
// the seven tool pictures.

#include <QPixmap>

namespace orvane {

enum class Picture { Graphs, Duplicate, Shredder, PcErrors, Immunize, Winclean, Tools, Update, Logo };

QPixmap drawPicture(Picture picture, int size); // size in pixels (square)
QPixmap drawBanner(int width, int height);      // pixels

} // namespace orvane
