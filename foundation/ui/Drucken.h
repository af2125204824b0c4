#pragma once
// Printing for every window: the printer selection, the print job (a printer or a PDF file;
// without a printer the PDF file is offered instead) and the frame of every printed page.
//
// A printed page is painted by a routine taking a QPainter and the page rectangle in
// millimetres; TDruckBlatt turns that into the page metrics of the device (PrintState in
// device pixels, as the layouts are given) so the same routine paints a printer page, a PDF
// page or a picture on screen.

#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "foundation/TavVar.h"

class QPrinter;
class QWidget;

namespace tav {

class TTextTable;

// ---- Print set-up ---------------------------------------------------------------------

// The print header and logo as loaded for the program (header lines of "Kopf.txt", the colour
// and the grey logo). The main window loads them after start-up; the set-up dialog changes them.
struct TDruckKopf {
  std::vector<std::string> Zeilen;
  QImage Logo, LogoGrau;  // null: no logo
};
TDruckKopf& DruckKopf();

// Loads the logo of setting Datei ("FIX" = the built-in picture, else a JPEG file) into
// DruckKopf(). On failure an error message names the file; the loaded logo and the setting
// stay as they were. "NUL" clears the logo and succeeds.
bool LoadPrintLogo(const std::string& datei);
// Header lines and logo of the settings in G, as at start-up (a logo that fails to load
// sets the setting to "NUL").
void LadeDruckKopf(TavState& g);

// Selects printer Name on Printer: portrait, the colour mode of FarbModus, and the page
// metrics into g.print. Empty name or no printer installed: false, nothing changed. A name
// that is no longer installed takes the default printer with a message naming both.
bool SelectPrinter(QPrinter& printer, TavState& g, const std::string& name);
// True when at least one printer is installed.
bool DruckerVorhanden();

// ---- The page frame -------------------------------------------------------------------

// What the frame of every page shows, taken as values (tests set them directly).
struct TSeitenrahmen {
  std::vector<std::string> Kopfzeilen;
  QImage Logo;  // the colour or grey logo as the mode needs; null: none
  bool Header = true, Datum = true, Farbe = false;
  QString Font = QStringLiteral("Arial");
  int Punkt = 10;  // base font size of the page
  QString ProgName = QString::fromUtf8(kProgName), ProgVersion = QString::fromUtf8(kProgVersion),
          Copyright = QString::fromUtf8(kCopyright);
  QDateTime Zeit;  // the clock of the footer
  const TTextTable* Texte = nullptr;  // the footer's words; none: the session's language
  // The frame of the settings in G and DruckKopf(), at the present time.
  static TSeitenrahmen Aus(const TavState& g);
};

// The footer's clock: "dd.mm.yyyy hh:mm:ss", whatever the process locale.
QString FussZeit(const QDateTime& zeit);

// A picture for paper: drawn as vector where it has one (Vektor paints it into the rectangle,
// in greys when asked), else the raster picture. Format is the picture's aspect (width x
// height in any unit).
struct TDruckBild {
  QImage Raster;
  std::function<void(QPainter&, const QRectF&, bool grau)> Vektor;
  QSizeF Format;
  TDruckBild() = default;
  TDruckBild(const QImage& bild) : Raster(bild), Format(bild.size()) {}  // NOLINT: a picture is a print picture
  bool Leer() const { return Format.width() <= 0 || Format.height() <= 0 || (!Vektor && Raster.isNull()); }
};

// One page being painted: its metrics in device pixels and the frame routines. The painter
// is moved to the page's top left; fonts are sized for the device.
class TDruckBlatt {
 public:
  TDruckBlatt(QPainter& pa, const QRectF& seiteMm, const TSeitenrahmen& rahmen);
  ~TDruckBlatt();

  QPainter& P;
  const PrintState& M() const { return m_; }
  const TSeitenrahmen& Rahmen() const { return r_; }
  int ZH() const { return m_.ZeilenHoehe; }
  int ZK() const { return m_.ZeilenHoeheKlein; }
  int RL() const { return m_.RandLinks; }
  int RR() const { return m_.RandRechts; }
  int SB() const { return m_.SeitenBreite; }
  int Stift(double k = 1.0) const;  // pen width k x StiftFaktor, at least 1

  // Font of the page: base size + Delta points, bold, underlined.
  void Schrift(int delta = 0, bool bold = false, bool underline = false);
  int Breite(const QString& text) const;
  int Hoehe() const;  // height of "I" in the current font
  // Text with its cell's top left at (x, y).
  void Text(int x, int y, const QString& text);
  void TextRechts(int xRechts, int y, const QString& text);
  // Text with "{\..}" subscript and "{/..}" superscript parts; returns the x after it.
  int TextIndiziert(int x, int y, const QString& text);
  // Centred between the margins.
  void Zentriert(int y, const QString& text);

  // Header lines, logo and title band; leaves the font bold.
  void Kopf(const QString& titel);
  void Logo();
  // Footer at Line x ZH: the copyright left, date and "Seite n" right.
  void Fuss(int line, int seite);
  // A picture at (X, Y), Width wide with its aspect kept; grey in monochrome. An empty
  // picture is skipped. Returns the printed height.
  int Bild(const TDruckBild& bild, int x, int y, int width);

 private:
  TSeitenrahmen r_;
  PrintState m_;
  QFont font_;
  int delta_ = 0;
};

// The page metrics of a page of Mm on the painter's device.
PrintState SeitenMasseFuer(const QPaintDevice& device, const QRectF& seiteMm);

// ---- The print job --------------------------------------------------------------------

// Paints page N (1-based) of a job onto the painter; the rectangle is the page in mm.
using TSeitenMaler = std::function<void(QPainter&, const QRectF&, int)>;

// The paper of a printout without a printer: Letter where the system's locale uses it
// (its paper setting, else its country), A4 everywhere else.
enum class TPapier { System, A4, Letter };

struct TDruckHooks {
  // Asks for the PDF file (Vorschlag: proposed name); empty: cancelled.
  std::function<QString(QWidget*, const QString&)> PdfDatei;
  // Shows the printer dialog for Printer; false: cancelled.
  std::function<bool(QWidget*, QPrinter&)> DruckerDialog;
  // The paper of PDF files.
  TPapier Papier = TPapier::System;
  // The program's status line: every finished job says there where it went.
  std::function<void(const QString&)> Status;
};
TDruckHooks& DruckHooks();

enum class TDruckErgebnis { Gedruckt, Abgebrochen, Fehler };

bool LetterPapier();
// The rule behind it: a paper width in mm from the locale's paper setting (0: none known),
// else the country.
bool LetterPapierFuer(int papierBreiteMm, QLocale::Territory land);

// The proposed PDF file name of a job titled Titel: the title with the characters no file
// name may hold replaced by "-", and ".pdf".
QString PdfVorschlag(const QString& titel);

// Prints Seiten pages titled Titel: on the chosen printer (g.settings.Drucker), or, with
// PdfDatei given, into that file; where no printer is installed the PDF file is asked for
// instead. Success only when every page was painted and the job finished. A finished job is
// told on the status line (DruckHooks().Status): the PDF file it went into, or that it was
// sent to the printer.
TDruckErgebnis Drucke(QWidget* parent, TavState& g, const QString& titel, int seiten, const TSeitenMaler& maler,
                      const QString& pdfDatei = {});
// The same into the PDF file Datei on the paper of the system (or the one given). The file
// carries the title, the program as its creator and the first header line as its author.
bool DruckePdf(const QString& datei, TavState& g, const QString& titel, int seiten, const TSeitenMaler& maler,
               TPapier papier = TPapier::System);

// Page N of a job as a picture (A4 at Dpi), white, for a window or a test.
QImage SeitenBild(const TSeitenMaler& maler, int n, double dpi = 100, bool letter = false);

}  // namespace tav
