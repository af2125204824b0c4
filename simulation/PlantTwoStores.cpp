// Second-consumer, two-store and cascade plants (plant types 3, 4 and 5).
// Not part of this build yet: each model stops the run with a message.
#include "simulation/PlantCommon.h"

namespace tav {

void AnlageZweitVerbraucher(SimContext& c) { ModellFehlt(c, "AnlageZweitVerbraucher"); }
void AnlageZweiSpeicher(SimContext& c) { ModellFehlt(c, "AnlageZweiSpeicher"); }
void AnlageKaskade(SimContext& c) { ModellFehlt(c, "AnlageKaskade"); }

}  // namespace tav
