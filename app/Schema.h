#pragma once
// The plant scheme: a base picture per plant type and variant with its overlays, composed into
// one image that the main window and the plant dialog both show.

#include <QImage>

#include "foundation/TavVar.h"

namespace tav {

// The scheme of the plant in S, 309 x 275 pixels.
QImage ShowSchema(const TavState& S);

}  // namespace tav
