#pragma once
// The rules behind the location and collector dialogs, without any window: type-ahead in a
// catalogue list, add-as-copy and its undo, deleting with the index shifts of the project's
// entry, monthly values, time-zone labels, the horizon shading map with its rasteriser, the
// paste parser of measured data and the collector field's numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/ProjektSkyMap.h"
#include "foundation/TavUtil.h"

namespace tav {

// ---------------------------------------------------------------------------------------
// Catalogue lists

// A typed character of the type-ahead search: letters (with the German umlauts) and digits.
bool IstSuchBuchstabe(char32_t c);
// Type-ahead: appends the upper-cased character to suchText and looks for the first row,
// from the focused one on (wrapping to `first`), whose name begins with suchText. Found: the
// row; else the character is dropped again and nothing is returned. rows[first..] are names.
std::optional<int> TypeAhead(const std::vector<std::string>& rows, int first, int focused,
                             std::string& suchText, char32_t c);

// Inserts a copy of entry s (1-based) before it; the copy at s gets " (neu)" (long names cut
// with "..."). The caller has checked the capacity.
template <class E, class N>
void FuegeKopieEin(std::vector<E>& liste, N& anzahl, int s, std::string E::*name,
                   std::string_view neu) {
  for (int i = static_cast<int>(anzahl); i >= s; --i) liste[i + 1] = liste[i];
  ++anzahl;
  ShortenWithEllipsis(liste[s].*name, neu);
}
// Undoes FuegeKopieEin(s): the list is as it was before.
template <class E, class N>
void NimmKopieZurueck(std::vector<E>& liste, N& anzahl, int s) {
  for (int i = s; i < static_cast<int>(anzahl); ++i) liste[i] = liste[i + 1];
  liste[anzahl] = E{};
  --anzahl;
}
// Removes entry d (1-based).
template <class E, class N>
void LoescheEintrag(std::vector<E>& liste, N& anzahl, int d) {
  for (int i = d; i < static_cast<int>(anzahl); ++i) liste[i] = liste[i + 1];
  liste[anzahl] = E{};
  --anzahl;
}
// The project's entry after entry d was deleted (anzahl is the new count): shifted down when
// it lay above d, limited to the list when it was d itself (then geloescht is set).
int NrNachLoeschen(int nr, int d, int anzahl, bool& geloescht);

// ---------------------------------------------------------------------------------------
// Location editor

// A monthly irradiation value as typed: above 10 it is a monthly sum and becomes the daily
// mean of that month (2 decimals); else it stays.
double TagesmittelAusEingabe(double wert, int monat);
// The label of a time zone: 0 "(UTC/GMT)", 1 "(CET/MEZ)", 2 "(UTC+2)", 3 "(MSK)", 25 the
// catalogue's "none" marker; any other value none.
std::string ZeitzoneText(int zone);

// ---------------------------------------------------------------------------------------
// Horizon shading map: 72 columns of 5 degrees from north, 18 bands of 5 degrees elevation.
// Column k 0..71 from the left, row j 0..17 from the top (row j shows band 18 - j).

bool SkyZelle(const SkyMapGrid& g, int k, int j);
// Paints (or erases) rows j..last of column k; with bisHorizont last is the bottom row.
// Indices outside the map paint nothing.
void MaleSkySpalte(SkyMapGrid& g, int k, int j, bool loeschen, bool bisHorizont);
// Rasterises a shading object at distance d, height h above the collector and width b
// (metres) in the direction azimut (degrees, south 0, east negative): every whole degree of
// its half width fills a column from the object's top down to the horizon. The result is
// the half width in degrees.
int SkyObjektEintragen(SkyMapGrid& g, double d, double h, double b, double azimut);

// ---------------------------------------------------------------------------------------
// Measured data

struct MessdatenErgebnis {
  bool zuWenige = false;  // fewer than 8760 lines
  int fehler1 = 0;        // first bad line of field 1 (1-based), 0 none
  int fehler2 = 0;        // first bad (or missing) line of field 2
  std::vector<float> feld1, feld2;  // [1..8760], hour 0 in slot 1
  std::string zeile1, zeile2;       // the result lines shown
  bool ok = false;                  // the needed fields were read without error
};
// Reads 8760 lines of one or two tab-separated columns (decimal comma or point); negative
// values count as errors. Further lines are ignored.
MessdatenErgebnis ParseMessdaten(std::string_view text, bool ostWest);
// The "-M" switch: exactly one parameter, "-M" in any case.
bool MessdatenSchalter(const std::vector<std::string>& parameter);

// ---------------------------------------------------------------------------------------
// Collector field

inline constexpr float kMinKollektorFlaeche = 0.5f;
inline constexpr float kMaxKollektorFlaeche = 300.0f;
// Area limited to 0.5..300 m²: the value to show, and the message when it was out of range.
float BegrenzeFlaeche(float flaeche, std::string& meldung);
// Azimuth of the opposite field: + 180, wrapped into -180..180.
float AzimutGegenueber(float azimut);
// Standard specific flow: 30 l/(m²h) for names with "K3" or "K4", else 20.
int StandardFlow(std::string_view name);
// Efficiency at dT (K) and irradiance g: eta0 - dT/g k1 - dT²/g k2, never below 0.
float CurveEta(float g, float dT, float k2, float k1, float eta0);

}  // namespace tav
