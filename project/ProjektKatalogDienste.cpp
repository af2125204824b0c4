#include "project/ProjektKatalogDienste.h"

#include "foundation/StatusSink.h"
#include "foundation/TavMathe.h"

namespace tav {

StatusSink& ProjektKatalogDienste::Status() { return NullStatus(); }

double ProjektKatalogDienste::Jetzt() { return Now(); }

}  // namespace tav
