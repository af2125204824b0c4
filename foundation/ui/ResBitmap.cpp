#include "foundation/ui/ResBitmap.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <optional>
#include <utility>
#include <unordered_map>

// The pictures are compiled into this static library; their registration must be pulled in
// explicitly, and Q_INIT_RESOURCE only works outside a namespace.
static void InitPictureResources() {
  Q_INIT_RESOURCE(pictures);
}

namespace tav {

namespace {

const QString kPictureDir = QStringLiteral(":/pictures");

// Case-folded picture name -> resource paths of that name (any extension). Read again after a
// miss, so a picture registered later (a resource file loaded at run time) is found. A
// standard map, not QHash: gcc 12 warns falsely about QHash's span allocation once link-time
// optimisation inlines it here (-Walloc-size-larger-than).
using PictureFiles = std::unordered_map<QString, QStringList>;
PictureFiles ListPictures() {
  PictureFiles files;
  const QFileInfoList entries = QDir(kPictureDir).entryInfoList(QDir::Files);
  for (const QFileInfo& fi : entries) {
    files[fi.completeBaseName().toCaseFolded()].append(fi.filePath());
  }
  return files;
}

QString RasterSuffix(ResTyp typ) {
  switch (typ) {
    case ResTyp::Jpeg: return QStringLiteral("jpg");
    case ResTyp::Bitmap: return QStringLiteral("bmp");
    case ResTyp::RCData: break;
  }
  return QStringLiteral("png");
}

qreal ScreenPixelRatio() {
  const auto* app = qobject_cast<const QGuiApplication*>(QCoreApplication::instance());
  return app ? app->devicePixelRatio() : 1.0;
}

// A drawing rendered at its own size times the device-pixel ratio.
std::optional<QImage> RenderDrawing(const QString& path, ResTyp typ) {
  QSvgRenderer renderer(path);
  const QSize size = renderer.defaultSize();
  if (!renderer.isValid() || size.isEmpty()) return std::nullopt;
  const qreal dpr = ScreenPixelRatio();
  QImage img(size * dpr, typ == ResTyp::Jpeg ? QImage::Format_RGB32
                                             : QImage::Format_ARGB32_Premultiplied);
  if (img.isNull()) return std::nullopt;
  img.fill(typ == ResTyp::Jpeg ? Qt::white : Qt::transparent);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p, QRectF(QPointF(0, 0), QSizeF(img.size())));
  }
  img.setDevicePixelRatio(dpr);
  return img;
}

std::optional<QImage> DecodeRaster(const QString& path) {
  QImageReader reader(path);
  QImage img = reader.read();
  if (img.isNull()) return std::nullopt;
  return img;
}

// The drawing of that name if there is one, else the raster file of the caller's kind.
std::optional<QImage> LoadPicture(const QStringList& paths, ResTyp typ) {
  const QString raster = RasterSuffix(typ);
  for (const QString& path : paths) {
    if (QFileInfo(path).suffix().compare(QLatin1String("svg"), Qt::CaseInsensitive) == 0) {
      return RenderDrawing(path, typ);
    }
  }
  for (const QString& path : paths) {
    if (QFileInfo(path).suffix().compare(raster, Qt::CaseInsensitive) == 0) {
      return DecodeRaster(path);
    }
  }
  return std::nullopt;
}

}  // namespace

const QImage& ResBitmapPlaceholder() {
  static const QImage placeholder = [] {
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 2));
    p.drawRect(1, 1, 30, 30);
    p.drawLine(4, 4, 28, 28);
    p.drawLine(28, 4, 4, 28);
    return img;
  }();
  return placeholder;
}

namespace {

// A drawing as an icon, rendered at each size when a window first asks for it (on X11 as the
// window is shown, offscreen never). Qt's own engine for drawings is a plug-in, whose loading
// cost the start 2.4 M instructions for this one icon.
class ZeichnungsIcon : public QIconEngine {
 public:
  explicit ZeichnungsIcon(QString pfad) : pfad_(std::move(pfad)) {}
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    QSvgRenderer(pfad_).render(painter, rect);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QImage bild(size, QImage::Format_ARGB32_Premultiplied);
    bild.fill(Qt::transparent);
    QPainter p(&bild);
    paint(&p, bild.rect(), mode, state);
    p.end();
    return QPixmap::fromImage(std::move(bild));
  }
  QIconEngine* clone() const override { return new ZeichnungsIcon(pfad_); }

 private:
  QString pfad_;
};

}  // namespace

QIcon ProgrammIcon() { return QIcon(new ZeichnungsIcon(QStringLiteral(":/icons/Programm.svg"))); }

const QImage& LoadResBitmap(const QString& Name, ResTyp Typ) {
  // Node-based map: references handed out stay valid while later pictures are added.
  static std::unordered_map<QString, QImage> cache;
  static PictureFiles files;
  static bool initialised = false;
  if (!initialised) {
    InitPictureResources();
    files = ListPictures();
    initialised = true;
  }

  const QString name = Name.isEmpty() ? QStringLiteral("leer") : Name;
  const QString key = name.toCaseFolded();
  if (const auto it = cache.find(key); it != cache.end()) return it->second;

  if (!files.contains(key)) files = ListPictures();
  std::optional<QImage> img;
  if (const auto f = files.find(key); f != files.end()) img = LoadPicture(f->second, Typ);
  if (!img) {
    // Nothing is cached, so the next call tries again.
    std::fprintf(stderr, "Tavrel: picture \"%s\" cannot be loaded; showing a placeholder\n",
                 qUtf8Printable(name));
    return ResBitmapPlaceholder();
  }
  return cache.emplace(key, std::move(*img)).first->second;
}

}  // namespace tav
