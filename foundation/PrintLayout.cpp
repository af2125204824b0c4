#include "foundation/PrintLayout.h"

#include <cmath>

#include "foundation/AtomicFile.h"
#include "foundation/CodePage.h"
#include "foundation/TextTable.h"

namespace tav {

void BerechneSeitenMasse(PrintState& p, int w, int h) {
  p.SeitenBreite = w;
  p.SeitenHoehe = h;
  p.ZeilenHoehe = h / 62;
  p.ZeilenHoeheKlein = h / 68;
  p.RandLinks = (w / 100) * 10;
  p.RandRechts = w - (w / 100) * 7;
  const int kurz = h > w ? w : h;
  p.SeitenMass = static_cast<std::int32_t>(std::nearbyint(kurz / 77.5)) * 10;  // half to even
  p.StiftFaktor = static_cast<std::uint8_t>(p.SeitenMass / 580 + 1);
}

double SafeDiv(double a, double b, double fallback) {
  if (b == 0.0) return fallback;
  const double q = a / b;
  return std::isfinite(q) ? q : fallback;
}

std::vector<std::string> LoadHeaderLines(const std::filesystem::path& folder) {
  const auto datei = FindFileNoCase(folder, std::string(KopfDatei));
  std::string bytes;
  std::error_code ec;
  if (!std::filesystem::exists(datei, ec) || !ReadWholeFile(datei, bytes)) return {T(TX::KopftxtHinweis)};
  std::vector<std::string> zeilen = SplitLines(DecodeText(bytes, CodePage::Cp1252));
  if (zeilen.size() > 4) zeilen.resize(4);
  // The German hint stored unchanged is no text of the user's: it speaks the current language.
  if (zeilen.size() == 1 && zeilen[0] == TextDefaultOf(TX::KopftxtHinweis).deutsch)
    return {T(TX::KopftxtHinweis)};
  return zeilen;
}

bool SaveHeaderLines(const std::filesystem::path& folder, const std::vector<std::string>& lines,
                     std::string* error) {
  std::string text;
  if (lines.empty()) text = "\r\n";
  for (const auto& z : lines) text += z + "\r\n";
  return WriteFileAtomic(FindFileNoCase(folder, std::string(KopfDatei)), EncodeCodePage(text, CodePage::Cp1252),
                         error);
}

TGroesse LogoVorschau(int w, int h) {
  if (w <= 0 || h <= 0) return {};
  if (static_cast<double>(w) / h > 5.0) return {500, static_cast<int>(500.0 * h / w)};
  return {static_cast<int>(100.0 * w / h), 100};
}

TGroesse LogoImKasten(int boxW, int boxH, int w, int h) {
  if (w <= 0 || h <= 0 || boxW <= 0 || boxH <= 0) return {};
  if (static_cast<double>(boxW) / boxH < static_cast<double>(w) / h)
    return {boxW, static_cast<int>(static_cast<double>(h) * boxW / w)};
  return {static_cast<int>(static_cast<double>(w) * boxH / h), boxH};
}

}  // namespace tav
