#include "catalogues/ProjektKatalogDienste.h"

#include "catalogues/StatusSink.h"
#include "foundation/TavMathe.h"

namespace tav {

StatusSink& ProjektKatalogDienste::Status() { return NullStatus(); }

double ProjektKatalogDienste::Jetzt() { return Now(); }

}  // namespace tav
