// The term evaluator of the numeric fields on any text: it answers, never faults.
#include <cmath>

#include "FuzzSupport.h"
#include "foundation/StrSolver.h"

using namespace tav;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TStrSolver solver;
  solver.SetTermString(std::string(fuzz::AsText(data, size)));
  if (!solver.OK())
    fuzz::Require(!solver.Meldung().empty(), "term: a refused term has no error text",
                  solver.TermString());
  return 0;
}
