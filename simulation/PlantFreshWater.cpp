// Buffer store with fresh-water station (plant type 8).
// Not part of this build yet: each model stops the run with a message.
#include "simulation/PlantCommon.h"

namespace tav {

void AnlagePufferFWE(SimContext& c) { ModellFehlt(c, "AnlagePufferFWE"); }

}  // namespace tav
