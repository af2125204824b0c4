#include "simulation/ui/LaufDiagramm.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

#include "foundation/TavVar.h"
#include "foundation/TextTable.h"

namespace tav {

namespace {

const QColor kGruen(0x00, 0x80, 0x00);
const QColor kRot(0xFF, 0x00, 0x00);
const QColor kLila(0x80, 0x00, 0x80);
const QColor kMarine(0x00, 0x00, 0x80);
const QColor kGrau(0x80, 0x80, 0x80);

const std::array<QColor, TLaufDiagramm::kKurven> kFarben = {kGruen, kRot, kLila, kMarine};

// Far below the picture: a very negative value is still drawn below the axis, but its
// pixel coordinate stays a sane integer.
constexpr int kTiefsterWert = -10000;

QColor Verblasst(const QColor& c) {
  auto hell = [](int kanal) { return kanal + (255 - kanal) * 3 / 5; };
  return QColor(hell(c.red()), hell(c.green()), hell(c.blue()));
}

QString Q(const std::string& s) { return QString::fromStdString(s); }

QFont Schrift(int pixel, bool fett) {
  QFont f;
  f.setPixelSize(pixel);
  f.setBold(fett);
  return f;
}

}  // namespace

void TLaufDiagramm::Leeren(bool solHeizung, bool pool) {
  mitWW_ = solHeizung || pool;
  mitPool_ = pool;
  for (auto& z : zuege_) z.clear();
  offen_.fill(false);
  jahr_ = 0;
}

void TLaufDiagramm::ResetDiagrammPunkte() {
  offen_.fill(false);
  ++jahr_;
}

void TLaufDiagramm::Laufwerte(int simTag, const std::array<float, kKurven>& werte) {
  const int tag = std::clamp(simTag, 1, DiagTage);
  for (int k = 0; k < kKurven; ++k) {
    if (!Gezeigt(k)) continue;
    const float v = werte[static_cast<std::size_t>(k)];
    if (!std::isfinite(v)) {
      offen_[static_cast<std::size_t>(k)] = false;
      continue;
    }
    const int y = static_cast<int>(std::lround(std::clamp(v, static_cast<float>(kTiefsterWert), 200.0f)));
    auto& zuege = zuege_[static_cast<std::size_t>(k)];
    if (!offen_[static_cast<std::size_t>(k)]) {
      zuege.push_back({jahr_, {}});
      offen_[static_cast<std::size_t>(k)] = true;
    }
    auto& zug = zuege.back().punkte;
    // The end of a run repeats the values of its last day.
    if (!zug.empty() && zug.back().x() == tag) {
      zug.back().setY(y);
    } else {
      zug.emplace_back(tag, y);
    }
  }
}

void TLaufDiagramm::Zeichne(QPainter& p, const QRect& ziel) const {
  p.save();
  p.setClipRect(ziel);
  p.translate(ziel.topLeft());
  p.scale(static_cast<double>(ziel.width()) / kBreite, static_cast<double>(ziel.height()) / kHoehe);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.fillRect(QRect(0, 0, kBreite, kHoehe), Qt::white);

  const int unten = DiagY0 + DiagHoehe;
  const int rechts = DiagX0 + DiagTage;
  // Grid first, so the frame and the curves lie on top of it.
  p.setPen(QPen(kGrau, 1));
  p.drawLine(DiagX0, DiagY0 + 100, rechts, DiagY0 + 100);
  int ende = 0;
  p.setFont(Schrift(11, true));
  for (int m = 1; m <= 12; ++m) {
    const int anfang = ende;
    ende += MonatsTage[static_cast<std::size_t>(m)];
    if (m < 12) {
      p.setPen(QPen(kGrau, 1));
      p.drawLine(DiagX0 + ende, DiagY0, DiagX0 + ende, unten);
    }
    p.setPen(Qt::black);
    p.drawText(QRect(DiagX0 + anfang, unten + 5, ende - anfang, 15), Qt::AlignHCenter | Qt::AlignTop,
               Q(Texts().Monatsnamen[static_cast<std::size_t>(m)]).left(3));
  }
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(DiagX0, DiagY0, DiagX0, unten);
  p.drawLine(DiagX0, unten, rechts, unten);
  p.drawLine(rechts, unten, rechts, DiagY0);
  p.setFont(Schrift(10, false));
  for (const int prozent : {0, 100, 200}) {
    p.drawText(QRect(0, unten - prozent - 7, DiagX0 - 4, 14), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(prozent) + " %");
  }

  // Legend: a slanted stroke and the name in the curve's colour.
  p.setFont(Schrift(11, true));
  auto eintrag = [&p](int y, const QColor& farbe, const std::string& text, bool strich) {
    if (strich) {
      p.setPen(QPen(farbe, 2));
      p.drawLine(430, y + 10, 445, y);
    }
    p.setPen(farbe);
    p.drawText(QRect(455, y - 1, kBreite - 455, 14), Qt::AlignLeft | Qt::AlignVCenter, Q(text));
  };
  eintrag(135, kGruen, T(TX::Wirkungsgrad), true);
  eintrag(150, kRot, T(TX::Deckungsrate), true);
  if (mitWW_) {
    eintrag(165, kLila, T(TX::Deckungsrate), true);
    eintrag(180, kLila, T(TX::nurWW), false);
  }
  if (mitPool_) eintrag(195, kMarine, T(TX::TabPool), true);

  // Curves in the order efficiency, hot-water coverage, coverage, pool share.
  for (const int k : {int(kWirkungsgrad), int(kDeckungWW), int(kDeckung), int(kPoolAnteil)}) {
    if (!Gezeigt(k)) continue;
    const QColor farbe = kFarben[static_cast<std::size_t>(k)];
    for (const auto& [jahr, zug] : zuege_[static_cast<std::size_t>(k)]) {
      // Earlier weather years fade, so the year under way stands out.
      p.setPen(QPen(jahr == jahr_ ? farbe : Verblasst(farbe), 2));
      for (std::size_t i = 1; i < zug.size(); ++i) {
        p.drawLine(DiagX0 + zug[i - 1].x(), unten - zug[i - 1].y(), DiagX0 + zug[i].x(), unten - zug[i].y());
      }
    }
  }
  p.restore();
}

}  // namespace tav
