// Combi-store variants: tank in tank, inner cylinder, six-node store (plant type 6).
// Not part of this build yet: each model stops the run with a message.
#include "simulation/PlantCommon.h"

namespace tav {

void AnlageKombi7(SimContext& c) { ModellFehlt(c, "AnlageKombi7"); }
void AnlageKombi9(SimContext& c) { ModellFehlt(c, "AnlageKombi9"); }
void AnlageKombi12(SimContext& c) { ModellFehlt(c, "AnlageKombi12"); }

}  // namespace tav
