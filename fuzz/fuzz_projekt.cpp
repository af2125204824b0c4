// The project file: load the current project of any file, save it, load it again. The second
// load must equal the first, seen through the writer: saving it once more writes the same
// file. Then the same file is imported into a data folder holding the standard project; an
// import that takes nothing changes nothing.
#include "FuzzSupport.h"
#include "catalogues/KatalogDienste.h"
#include "project/ProjektDatei.h"
#include "project/ProjektLaden.h"
#include "foundation/TavMathe.h"

using namespace tav;

namespace {

// The plant services are the program's; the catalogue look-ups change nothing (no catalogue
// files are involved) and the clock stands still, so two saves can be compared.
class Dienste : public KatalogDienste {
 public:
  Dienste() : KatalogDienste(NullStatus(), fuzz::Workbench::Get().synthese) {}
  void ReadOrte(TavState&) override {}
  void ReadKollektoren(TavState&) override {}
  void ReadRohre(TavState&) override {}
  void ReadProfile(TavState&) override {}
  void ReadEnergie(TavState&, const std::string&) override {}
  double Jetzt() override { return EncodeDate(2026, 12, 10) + EncodeTime(14, 30, 15); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Workbench& b = fuzz::Workbench::Get();
  b.Reset();
  Dienste d;
  {
    TavState& s1 = b.State(0);
    const std::string pfad = ProjektDateiPfad(s1);
    b.Write("Projekte.dat", fuzz::AsText(data, size));
    LoadProjekt(s1, d);
    if (WriteProjektDat(pfad, s1, d)) {
      const std::string erste = b.Read("Projekte.dat");
      TavState& s2 = b.State(1);
      s2.settings.ProjektNummer = s1.settings.ProjektNummer;
      LoadProjekt(s2, d);
      fuzz::Require(s2.settings.ProjektNummer == s1.settings.ProjektNummer,
                    "project: the saved project is not found again");
      fuzz::Require(WriteProjektDat(pfad, s2, d), "project: a saved file cannot be saved again",
                    b.messages.last);
      fuzz::Require(b.Read("Projekte.dat") == erste,
                    "project: the second load differs from the first", erste,
                    b.Read("Projekte.dat"));
    }
  }
  b.Reset();
  TavState& s = b.State(2);
  LoadProjekt(s, d);  // writes the standard project
  const std::string quelle = b.Write("Import.dat", fuzz::AsText(data, size));
  const std::string vorher = b.Read("Projekte.dat");
  const std::string name = s.plant.ProjektName;
  const std::int32_t nummer = s.settings.ProjektNummer;
  // An import that takes nothing leaves the file and the open project as they were.
  if (!ImportProjekt(s, quelle, d))
    fuzz::Require(b.Read("Projekte.dat") == vorher && s.plant.ProjektName == name &&
                      s.settings.ProjektNummer == nummer,
                  "project: an import that took nothing changed the file or the open project",
                  vorher, b.Read("Projekte.dat"));
  return 0;
}
