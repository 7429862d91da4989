#pragma once

#include <memory>

#include "platform/qt/picture.h"

// The intro window's picture, read from the resource file "NMR.png".
namespace x_NMR {

// The picture, read once per run when it can be read; nullptr while it cannot, and the
// next call tries the file again.
std::shared_ptr<platform::Picture> NMR();

// Forgets the picture, as if the run had not read it yet (for tests).
void Reset();

}  // namespace x_NMR
