#pragma once

#include <QIcon>
#include <QString>

namespace platform {

// The program's icon for its windows, from the images in a folder, each drawn for its own
// size. The window system is given every image exactly as drawn, smallest first, whatever
// the screen's scale. (Qt's own icon hands it each size's pixels for the screen's scale
// instead: at 200 % the 32-pixel image and downscales of the largest, so that the images
// drawn for 16 and 48 pixels never reach the desktop.) For the windows only: other places
// that draw an icon at a scale above 1 get it unsharpened.
QIcon WindowIcon(const QString& folder);

}  // namespace platform
