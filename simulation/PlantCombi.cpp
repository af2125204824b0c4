// Combi store for space-heating support (plant type 6).
// Not part of this build yet: each model stops the run with a message.
#include "simulation/PlantCommon.h"

namespace tav {

void AnlageKombi(SimContext& c) { ModellFehlt(c, "AnlageKombi"); }

}  // namespace tav
