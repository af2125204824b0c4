// The picture loader: every picture the program names, the cache rules, and what a picture that
// cannot be loaded gives.
#include <QDir>
#include <QPainter>
#include <QResource>

#include <gtest/gtest.h>

#include "foundation/ui/ResBitmap.h"

namespace tav {
namespace {

struct PictureCase {
  const char* name;
  ResTyp typ;
  QSize size;  // logical pixels, as the coordinates of the picture's users assume
};

const QSize kScheme(309, 275);
const QSize kGlyph(18, 18);

// Every picture the program names.
const PictureCase kPictures[] = {
    {"Schema1", ResTyp::RCData, kScheme},       {"Schema2", ResTyp::RCData, kScheme},
    {"Schema3", ResTyp::RCData, kScheme},       {"Schema4", ResTyp::RCData, kScheme},
    {"Schema5", ResTyp::RCData, kScheme},       {"Schema5DLE", ResTyp::RCData, kScheme},
    {"Schema6a", ResTyp::RCData, kScheme},      {"Schema6b", ResTyp::RCData, kScheme},
    {"Schema7a", ResTyp::RCData, kScheme},      {"Schema7b", ResTyp::RCData, kScheme},
    {"Schema7c", ResTyp::RCData, kScheme},      {"Schema7d", ResTyp::RCData, kScheme},
    {"Schema8a", ResTyp::RCData, kScheme},      {"Schema8b", ResTyp::RCData, kScheme},
    {"Schema8c", ResTyp::RCData, kScheme},      {"Schema8d", ResTyp::RCData, kScheme},
    // Overlays, each fitting inside the scheme from its position.
    {"ImageKombiWT", ResTyp::RCData, {40, 97}}, {"PoolClip", ResTyp::RCData, {112, 72}},
    {"PoolClip2", ResTyp::RCData, {158, 69}},   {"Schema1Legio", ResTyp::RCData, {40, 76}},
    {"Schema4Legio", ResTyp::RCData, {40, 76}},
    {"SPLASH", ResTyp::Jpeg, {480, 300}},       {"ImageBanner", ResTyp::RCData, {872, 68}},
    {"ImageSchriftli", ResTyp::RCData, {183, 34}}, {"ImageSchriftre", ResTyp::RCData, {183, 34}},
    {"DruckLogo", ResTyp::Jpeg, {240, 80}},     {"leer", ResTyp::RCData, {16, 16}},
    {"GlyphNeu", ResTyp::RCData, kGlyph},       {"GlyphOeffnen", ResTyp::RCData, kGlyph},
    {"GlyphSpeichern", ResTyp::RCData, kGlyph}, {"GlyphAssistent", ResTyp::RCData, kGlyph},
    {"GlyphOrt", ResTyp::RCData, kGlyph},       {"GlyphAnlage", ResTyp::RCData, kGlyph},
    {"GlyphKollektor", ResTyp::RCData, kGlyph}, {"GlyphMeteoImport", ResTyp::RCData, kGlyph},
    {"GlyphMoment", ResTyp::RCData, kGlyph},    {"GlyphSimulation", ResTyp::RCData, kGlyph},
    {"GlyphENEV", ResTyp::RCData, kGlyph},
};

bool IsUniform(const QImage& img) {
  const QImage a = img.convertToFormat(QImage::Format_ARGB32);
  const QRgb first = a.pixel(0, 0);
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != first) return false;
  return true;
}

TEST(ResBitmap, EveryPictureOfTheProgramLoadsAtItsSize) {
  QDir().mkpath(TAV_SCREENS_DIR);
  for (const PictureCase& c : kPictures) {
    SCOPED_TRACE(c.name);
    const QImage& img = LoadResBitmap(QString::fromLatin1(c.name), c.typ);
    ASSERT_NE(&img, &ResBitmapPlaceholder()) << "picture missing";
    EXPECT_EQ(img.deviceIndependentSize().toSize(), c.size);
    EXPECT_EQ(img.size(), c.size * img.devicePixelRatio());
    if (QLatin1String(c.name) != QLatin1String("leer")) {
      EXPECT_FALSE(IsUniform(img)) << "blank";
    }
    // Jpeg pictures have no transparency.
    if (c.typ == ResTyp::Jpeg) {
      EXPECT_FALSE(img.hasAlphaChannel());
    }
    img.save(QStringLiteral(TAV_SCREENS_DIR "/Picture-%1.png").arg(QLatin1String(c.name)));
  }
}

TEST(ResBitmap, NamesWithoutRegardToCaseGiveTheSameObject) {
  const QImage& a = LoadResBitmap(QStringLiteral("SCHEMA1"));
  const QImage& b = LoadResBitmap(QStringLiteral("Schema1"));
  const QImage& c = LoadResBitmap(QStringLiteral("schema1"), ResTyp::RCData);
  EXPECT_EQ(&a, &b);
  EXPECT_EQ(&a, &c);
  const qint64 key = a.cacheKey();

  // Drawing the picture elsewhere and loading further pictures leave it as it was.
  QImage target(400, 300, QImage::Format_RGB32);
  QPainter(&target).drawImage(0, 0, b);
  for (const PictureCase& pc : kPictures) LoadResBitmap(QString::fromLatin1(pc.name), pc.typ);
  EXPECT_EQ(&LoadResBitmap(QStringLiteral("Schema1")), &a);
  EXPECT_EQ(a.cacheKey(), key);
}

TEST(ResBitmap, EmptyNameMeansLeer) {
  const QImage& leer = LoadResBitmap(QStringLiteral("leer"));
  EXPECT_NE(&leer, &ResBitmapPlaceholder());
  EXPECT_EQ(&LoadResBitmap(QString()), &leer);
  EXPECT_EQ(&LoadResBitmap(QStringLiteral(""), ResTyp::Jpeg), &leer);
}

TEST(ResBitmap, MissingPictureGivesAVisiblePlaceholderAndIsTriedAgain) {
  const QImage& ph = ResBitmapPlaceholder();
  ASSERT_FALSE(ph.isNull());
  EXPECT_FALSE(IsUniform(ph));

  testing::internal::CaptureStderr();
  const QImage& missing = LoadResBitmap(QStringLiteral("KeinBildDa"));
  const std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(&missing, &ph);
  EXPECT_NE(err.find("KeinBildDa"), std::string::npos) << err;

  // Not there yet: placeholder, and nothing is kept under the name ...
  EXPECT_EQ(&LoadResBitmap(QStringLiteral("TestSpaeter")), &ph);
  // ... so once the picture exists, the next call loads it.
  ASSERT_TRUE(QResource::registerResource(QStringLiteral(TAV_TEST_PICTURES)));
  const QImage& png = LoadResBitmap(QStringLiteral("TESTSPAETER"));
  ASSERT_NE(&png, &ph);
  EXPECT_EQ(png.size(), QSize(8, 6));
  EXPECT_EQ(QColor(png.pixel(3, 3)), QColor(0, 128, 45));
  EXPECT_EQ(&LoadResBitmap(QStringLiteral("TestSpaeter")), &png);
  QResource::unregisterResource(QStringLiteral(TAV_TEST_PICTURES));
}

TEST(ResBitmap, RasterPicturesOfEachKindDecode) {
  ASSERT_TRUE(QResource::registerResource(QStringLiteral(TAV_TEST_PICTURES)));
  struct Raster {
    const char* name;
    ResTyp typ;
    QSize size;
    QColor colour;
  };
  const Raster cases[] = {
      {"TestPng", ResTyp::RCData, {8, 6}, QColor(0, 128, 45)},
      {"TestJpeg", ResTyp::Jpeg, {10, 4}, QColor(255, 255, 255)},
      {"TestBitmap", ResTyp::Bitmap, {5, 7}, QColor(0, 0, 255)},
  };
  // A raster file is only taken for its own kind.
  testing::internal::CaptureStderr();
  EXPECT_EQ(&LoadResBitmap(QStringLiteral("TestJpeg"), ResTyp::RCData), &ResBitmapPlaceholder());
  testing::internal::GetCapturedStderr();
  for (const Raster& c : cases) {
    SCOPED_TRACE(c.name);
    const QImage& img = LoadResBitmap(QString::fromLatin1(c.name), c.typ);
    ASSERT_NE(&img, &ResBitmapPlaceholder());
    EXPECT_EQ(img.size(), c.size);
    const QColor got(img.pixel(1, 1));
    EXPECT_NEAR(got.red(), c.colour.red(), 3);
    EXPECT_NEAR(got.green(), c.colour.green(), 3);
    EXPECT_NEAR(got.blue(), c.colour.blue(), 3);
  }
  QResource::unregisterResource(QStringLiteral(TAV_TEST_PICTURES));
}

}  // namespace
}  // namespace tav
