// The plant scheme: which base picture and overlays each plant gets, and where they land.
#include <QDir>

#include <gtest/gtest.h>

#include "app/Schema.h"
#include "foundation/ui/ResBitmap.h"

namespace tav {
namespace {

TEST(Schema, BasePictureByPlantTypeAndVariant) {
  struct Case {
    int typ, kaskade, hk;
    const char* name;
  };
  const Case cases[] = {
      {1, 13, 1, "Schema1"},    {2, 13, 1, "Schema2"},    {3, 13, 4, "Schema3"},
      {4, 14, 0, "Schema4"},
      // Cascade: code 13 has an auxiliary store; every other code a flow-through heater.
      {5, 13, 1, "Schema5"},    {5, 14, 1, "Schema5DLE"}, {5, 0, 1, "Schema5DLE"},
      // Combination store: one picture for every heating-circuit variant.
      {6, 13, 1, "Schema6b"},   {6, 13, 2, "Schema6b"},   {6, 13, 5, "Schema6b"},
      {6, 13, 0, "Schema6b"},
      {7, 13, 1, "Schema7a"},   {7, 13, 2, "Schema7b"},   {7, 13, 3, "Schema7c"},
      {7, 13, 4, "Schema7d"},   {8, 13, 1, "Schema8a"},   {8, 13, 2, "Schema8b"},
      {8, 13, 3, "Schema8c"},   {8, 13, 4, "Schema8d"},
      // No picture: variant outside 1..4 on types 7 and 8, type outside 1..8.
      {7, 13, 0, ""},           {7, 13, 5, ""},           {8, 13, 5, ""},
      {0, 13, 1, ""},           {9, 13, 1, ""},           {255, 13, 1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SchemaBaseName(c.typ, c.kaskade, c.hk), QLatin1String(c.name))
        << "type " << c.typ << " cascade " << c.kaskade << " variant " << c.hk;
  }
}

TEST(Schema, OverlaysByPlantTypePoolAndAntiLegionella) {
  const SchemaOverlay kombi{QStringLiteral("ImageKombiWT"), {105, 101}, true, {40, 97}};
  const SchemaOverlay pool1{QStringLiteral("PoolClip"), {188, 95}};
  const SchemaOverlay pool2{QStringLiteral("PoolClip2"), {151, 206}};
  const SchemaOverlay legio1{QStringLiteral("Schema1Legio"), {146, 138}};
  const SchemaOverlay legio4{QStringLiteral("Schema4Legio"), {146, 139}};
  struct Case {
    int typ, kombi;
    bool pool, legio;
    std::vector<SchemaOverlay> want;
  };
  const Case cases[] = {
      {1, 11, false, false, {}},
      {1, 11, true, false, {pool1}},
      {1, 11, false, true, {legio1}},
      {1, 11, true, true, {pool1, legio1}},
      {2, 11, true, true, {pool2}},
      {3, 11, false, true, {}},
      {4, 11, false, true, {legio4}},
      {4, 11, true, true, {pool2, legio4}},
      {5, 11, true, true, {pool2}},
      {6, 11, true, true, {pool2}},
      {6, 10, false, false, {kombi}},
      {6, 10, true, true, {kombi, pool2}},
      {6, 12, false, false, {}},
      {1, 10, false, false, {}},  // the heat exchanger belongs to the combination store only
      {7, 10, true, true, {pool2}},
      {8, 11, true, true, {pool2}},
  };
  for (const Case& c : cases) {
    PlantState p;
    p.AnlagenTypNr = static_cast<std::uint8_t>(c.typ);
    p.KombiSpTyp = static_cast<std::uint8_t>(c.kombi);
    p.Pool = c.pool;
    p.AntiLegionella = c.legio;
    EXPECT_EQ(SchemaOverlays(p), c.want)
        << "type " << c.typ << " kombi " << c.kombi << " pool " << c.pool << " legio " << c.legio;
  }
}

TEST(Schema, EveryPictureTheSchemeNamesExists) {
  for (int typ = 0; typ <= 9; ++typ) {
    for (int kaskade : {13, 14}) {
      for (int hk = 0; hk <= 5; ++hk) {
        const QString name = SchemaBaseName(typ, kaskade, hk);
        EXPECT_NE(&LoadResBitmap(name), &ResBitmapPlaceholder()) << name.toStdString();
      }
    }
  }
  PlantState p;
  p.Pool = p.AntiLegionella = true;
  p.KombiSpTyp = 10;
  for (int typ = 1; typ <= 8; ++typ) {
    p.AnlagenTypNr = static_cast<std::uint8_t>(typ);
    for (const SchemaOverlay& o : SchemaOverlays(p)) {
      const QImage& img = LoadResBitmap(o.name);
      EXPECT_NE(&img, &ResBitmapPlaceholder()) << o.name.toStdString();
      // Every overlay fits inside the scheme from its position.
      const QRect area(o.pos, o.copy ? o.size : img.deviceIndependentSize().toSize());
      EXPECT_TRUE(QRect(0, 0, SchemaBreite, SchemaHoehe).contains(area)) << o.name.toStdString();
    }
  }
}

TEST(Schema, OverlaysLandAtTheirCoordinates) {
  TavState s;
  s.plant.AnlagenTypNr = 6;
  s.plant.HeizkreisTyp = 2;
  s.plant.KombiSpTyp = 10;
  s.plant.Pool = true;
  const QImage img = ShowSchema(s);
  // In device pixels: the screen's pixel ratio scales every coordinate (whole ratios only).
  const int r = qRound(img.devicePixelRatio());
  ASSERT_EQ(img.devicePixelRatio(), r);
  ASSERT_EQ(img.size(), QSize(SchemaBreite, SchemaHoehe) * r);

  // The heat exchanger replaces the 40 x 97 area at (105, 101) pixel for pixel.
  const QImage wt = LoadResBitmap(QStringLiteral("ImageKombiWT")).convertToFormat(QImage::Format_RGB32);
  const QRect area(105 * r, 101 * r, 40 * r, 97 * r);
  EXPECT_EQ(img.copy(area), wt.copy(0, 0, 40 * r, 97 * r));
  s.plant.KombiSpTyp = 11;
  EXPECT_NE(ShowSchema(s).copy(area), wt.copy(0, 0, 40 * r, 97 * r));

  // Every opaque pixel of the pool picture shows at (151, 206) plus its own position.
  const QImage pool = LoadResBitmap(QStringLiteral("PoolClip2")).convertToFormat(QImage::Format_ARGB32);
  int opaque = 0;
  for (int y = 0; y < pool.height(); ++y) {
    for (int x = 0; x < pool.width(); ++x) {
      if (qAlpha(pool.pixel(x, y)) != 255) continue;
      ++opaque;
      ASSERT_EQ(img.pixel(151 * r + x, 206 * r + y), pool.pixel(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(opaque, 100);
}

TEST(Schema, PlantWithoutPictureGivesAnEmptyScheme) {
  TavState s;
  s.plant.AnlagenTypNr = 7;
  s.plant.HeizkreisTyp = 0;
  const QImage img = ShowSchema(s);
  ASSERT_EQ(img.deviceIndependentSize().toSize(), QSize(SchemaBreite, SchemaHoehe));
  QImage white(img.size(), QImage::Format_RGB32);
  white.setDevicePixelRatio(img.devicePixelRatio());
  white.fill(Qt::white);
  EXPECT_EQ(img, white);
}

TEST(Schema, ComposedSchemesForLooking) {
  QDir().mkpath(TAV_SCREENS_DIR);
  TavState s;
  for (int typ = 1; typ <= 8; ++typ) {
    s.plant.AnlagenTypNr = static_cast<std::uint8_t>(typ);
    s.plant.HeizkreisTyp = 2;
    const QImage img = ShowSchema(s);
    EXPECT_EQ(img.deviceIndependentSize().toSize(), QSize(SchemaBreite, SchemaHoehe));
    EXPECT_TRUE(img.save(QStringLiteral(TAV_SCREENS_DIR "/Schema-%1.png").arg(typ)));
  }
  // The overlays on their base pictures.
  struct Shot {
    int typ, kombi;
    bool pool, legio;
    const char* file;
  };
  const Shot shots[] = {
      {1, 11, true, true, "Schema-1-Pool-Legio"},
      {4, 11, false, true, "Schema-4-Legio"},
      {6, 10, true, false, "Schema-6-KombiWT-Pool"},
      {8, 11, true, false, "Schema-8-Pool"},
  };
  for (const Shot& sh : shots) {
    s.plant.AnlagenTypNr = static_cast<std::uint8_t>(sh.typ);
    s.plant.KombiSpTyp = static_cast<std::uint8_t>(sh.kombi);
    s.plant.Pool = sh.pool;
    s.plant.AntiLegionella = sh.legio;
    EXPECT_TRUE(ShowSchema(s).save(QStringLiteral(TAV_SCREENS_DIR "/%1.png").arg(QLatin1String(sh.file))));
  }
}

}  // namespace
}  // namespace tav
