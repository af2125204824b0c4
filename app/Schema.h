#pragma once
// The plant scheme: a base picture per plant type and variant with its overlays, composed into
// one image that the main window and the plant dialog both show.

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

#include "foundation/TavVar.h"
#include "foundation/ui/Drucken.h"

namespace tav {

// Size of the scheme in logical pixels; the overlay positions are given in this frame.
inline constexpr int SchemaBreite = 309;
inline constexpr int SchemaHoehe = 275;

// The base picture of a plant: "Schema1".."Schema4", "Schema5" (cascade code 13) or "Schema5DLE",
// "Schema6b" for every combination-store variant, "Schema7a".."Schema7d" and "Schema8a".."Schema8d"
// by heating-circuit variant 1..4. Empty where the plant has no picture (type outside 1..8, type 7
// or 8 with a variant outside 1..4).
QString SchemaBaseName(int anlagenTyp, int kaskadeTyp, int heizkreisTyp);

// One overlay picture placed with its top left corner at pos. A copied overlay replaces the
// scheme's pixels in the area size (from the picture's top left corner); the others are drawn over
// the scheme with their transparency.
struct SchemaOverlay {
  QString name;
  QPoint pos;
  bool copy = false;
  QSize size{};  // only for copied overlays

  friend bool operator==(const SchemaOverlay&, const SchemaOverlay&) = default;
};

// The overlays of the plant in P, in drawing order: combi heat exchanger, pool, anti-legionella.
std::vector<SchemaOverlay> SchemaOverlays(const PlantState& P);

// The scheme of the plant in S, 309 x 275 pixels (times the screen's device-pixel ratio).
QImage ShowSchema(const TavState& S);

// The scheme of the plant in P for paper: its drawings painted as vectors (in greys for a
// monochrome printout), composed as ShowSchema composes them.
TDruckBild SchemaDruckBild(const PlantState& P);

// An SVG drawing with every colour turned into its grey of the same lightness.
QByteArray SvgInGrau(const QByteArray& svg);

}  // namespace tav
