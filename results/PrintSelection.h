#pragma once
// The print selection of the results window and the sequence of pages a printout of it
// makes. The printing routines walk this sequence; nothing here draws.

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/TextTable.h"

namespace tav {

// The stored selection as the window shows it: an empty set shows as the report alone.
std::uint8_t DruckSeitenBeimZeigen(std::uint8_t seiten);
// The selection of the three section boxes.
std::uint8_t DruckSeitenAus(bool report, bool energie, bool oeko);
bool AllesGewaehlt(std::uint8_t seiten);

// Tail of the job title: empty with "Alles", else " - " and the checked captions without
// their "&", in the order report, energy balance, ecology, joined by "/". An empty
// selection gives an empty tail.
std::string DruckTitelZusatz(bool alles, bool report, bool energie, bool oeko, const std::string& captionReport,
                             const std::string& captionEnergie, const std::string& captionOeko);

enum class TDruckTeilSeite : std::uint8_t {
  Report,       // the summary sheet
  Energie,      // system description, energy balance and the chart
  Pool,         // pool description and table
  Oeko,         // ecology description, table and the yield chart
};

struct TDruckSeite {
  TDruckTeilSeite Teil{};
  TX Kopf{};             // title of the page header
  std::uint8_t Nummer{}; // page number (footer)
  bool NeueSeite{};      // a new page starts before it
};

// The pages of a printout of Seiten (the pool page follows the energy balance when the
// plant heats a pool). An empty selection prints nothing.
std::vector<TDruckSeite> DruckSeitenFolge(std::uint8_t seiten, bool pool);

}  // namespace tav
