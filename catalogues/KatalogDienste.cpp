#include "catalogues/KatalogDienste.h"

#include "catalogues/Energie.h"
#include "catalogues/Kollektoren.h"
#include "location/Orte.h"
#include "catalogues/Profile.h"
#include "project/ProjektLaden.h"
#include "catalogues/Rohre.h"
#include "catalogues/SolPaket.h"
#include "catalogues/Speicher.h"
#include "foundation/TavVar.h"
#include "simulation/PlantParams.h"

namespace tav {

void KatalogDienste::ReadOrte(TavState& s) {
  OrtUmgebung env{status_, synthese_};
  tav::ReadOrte(s, env);
}

void KatalogDienste::ReadKollektoren(TavState& s) { tav::ReadKollektoren(s, status_); }

void KatalogDienste::ReadRohre(TavState& s) { tav::ReadRohre(s, status_); }

void KatalogDienste::ReadProfile(TavState& s) { tav::ReadProfile(s, status_); }

void KatalogDienste::ReadEnergie(TavState& s, const std::string& name) {
  s.plant.konvEnergie = name;
  tav::ReadEnergie(s, std::string(), status_);
}

void KatalogDienste::CheckAnlagenTyp(PlantState& p) { tav::CheckAnlagenTyp(p); }

void KatalogDienste::SetAnlgParam(TavState& s, int anlagenTyp) {
  tav::SetAnlgParam(s.plant, anlagenTyp, &Geometrie);
}

void KatalogDienste::SetSpeicherParam(TavState& s) { tav::SetSpeicherParam(s.plant, Geometrie); }

void LadeKatalogeUndProjekt(TavState& s, KatalogDienste& d) {
  InitSolPakete(s.cat, PaketDateiPfad(s));
  ReadSpeicher(s.cat, SpeicherDateiPfad(s));
  LoadProjekt(s, d);
}

}  // namespace tav
