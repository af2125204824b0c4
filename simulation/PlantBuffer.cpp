// Hot-water store with a buffer store (plant type 7).
// Not part of this build yet: each model stops the run with a message.
#include "simulation/PlantCommon.h"

namespace tav {

void AnlageTWWPuffer(SimContext& c) { ModellFehlt(c, "AnlageTWWPuffer"); }

}  // namespace tav
