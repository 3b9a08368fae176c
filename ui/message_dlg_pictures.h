#pragma once

#include <QIcon>

#include "foundation/dialogs.h"

namespace tavo {

// The component library's picture list: the image behind a picture identifier, a null icon
// for identifiers without one (among them bi_none).
QIcon PictureIcon(tbild picture);

}  // namespace tavo
