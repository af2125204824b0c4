#pragma once
// Helpers on the window system: mouse placement, grey and stretched pictures for printing,
// text with raised and lowered markup, the read-only look of an edit, installed fonts,
// printer settings, the user's language and a pause that keeps the windows painted.

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QSize>
#include <QPageLayout>
#include <QPrinter>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "foundation/Settings.h"

class QAbstractButton;
class QLineEdit;
class QPainter;
class QRect;
class QWidget;

namespace tav {

// Puts the mouse pointer on a control: its centre, or DX, DY from its top left corner.
// (Window systems that do not let programs move the pointer ignore it.)
void MoveMouseToControl(QWidget* control, bool center, int dx = 0, int dy = 0);

// Every pixel to its grey value (0.3 R + 0.59 G + 0.11 B) in all three channels.
void BitmapToGray(QImage& image);
// Draws the picture scaled into Target; an empty picture raises an error.
void StretchPrintBitmap(QPainter& painter, const QRect& target, const QImage& image);

// Writes Text at (X, Y) as the top left corner: "{/x}" raised by the height of "M" / 8 and
// 4 points smaller, "{\x}" lowered by the height of "M" / 3 and 3 points smaller. Returns
// the x position after the text.
int TextOutIndexed(QPainter& painter, int x, int y, const std::string& text);

// Read-only: no tab stop (a click still focuses it), no frame, window-button colour; else
// editable with a frame and a tab stop.
void SetEditReadOnlyLook(QLineEdit* edit, bool readOnly);

// Name when the system has that font, else the installed font with the nearest name.
std::string PickInstalledFont(const std::string& name);

// The driver of a printer keeps its own settings here; nothing to refresh.
inline void UpdatePrinterDriver() {}
// Orientation and colour mode of the printer; true when applied.
bool SetPrinterOrientationColor(QPrinter& printer, QPageLayout::Orientation orientation,
                                bool farbig);

// The fonts of this system for reading the settings; the printers are looked up later.
SettingsEnv QtSettingsEnv();
// The printer for printing and for its set-up: the stored one, looked up among the system's
// printers on the first call (ResolvePrinter).
const std::string& ChosenPrinter(TavState& g);
// The name "Tavrel.ini" keeps: the chosen printer, or the stored name as read while no
// printer has been needed, so that a run without printing leaves the choice as it was.
inline const std::string& PrinterToSave(const TavState& g) { return g.settings.Drucker; }

// Caption and hint of a main-window tool button after a language switch: a caption longer
// than 12 characters gets a 7-point font, otherwise 8 points; the width follows the caption.
void SetToolButtonText(QAbstractButton* button, const std::string& caption,
                       const std::string& hint);

// Qt's own texts (file dialogs, standard buttons, context menus) in the language of Code
// ("de", "en", ...): Qt's installed translation of that language replaces the one before;
// English, or a language Qt has no translation for, leaves Qt's English. True when a
// translation is in use.
bool SetQtLanguage(const std::string& code);

// The stored placement of a window, and back. A placement that lies off every screen (a
// screen removed since) is moved and shrunk into the available area of the primary screen.
TFensterPos PlacementOf(const QWidget* window);
void RestorePlacement(QWidget* window, const TFensterPos& pos);
// The place of a dialog that keeps its position: left and top of its frame (where move()
// puts it), width and height of the window, taken and given back alike, so the dialog opens
// exactly where it was closed. A place off the screens is pulled back onto the nearest one.
TFensterPos PositionOf(const QWidget* window);
void RestorePosition(QWidget* window, const TFensterPos& pos);
// The top left of Window's frame, the same whatever the window manager has told so far:
// where the placement here put it while Qt has seen it nowhere else; else its client origin
// less the frame the window manager reports; where it was put while the window manager has
// not framed it yet (a dialog closed at once, which no one can have moved). Qt's own frame
// of a widget (pos()) lags behind the window manager's word now and then, and a place taken
// from it is sometimes the client's.
QPoint FrameOrigin(const QWidget* window);
// What the window manager has told of the frame round a window so far: its margins, or none
// while it has framed nothing. Tests put a stand-in here that plays a slow window manager;
// an empty function gives the platform's word back.
using FrameMarginsSource = std::function<std::optional<QMargins>(const QWidget*)>;
void SetFrameMarginsSource(FrameMarginsSource source);
// Places a window without a stored place: centred over the main window (over Over's window
// when given, the primary screen when there is neither), on the screen.
void CentreOverMainWindow(QWidget* window, const QWidget* over = nullptr);
// Puts the top left of Window's frame at Frame (as PositionOf takes it back), for this
// opening, also at a first opening before the window manager has framed it.
void PlaceFrameAt(QWidget* window, QPoint frame);
// Centred on the desktop: the available area of the primary screen.
void CentreOnDesktop(QWidget* window);
// Tells the dialog place rule that Window's opener placed it for this opening by itself.
void MarkPlaced(QWidget* window);
// The dialog place rule for the whole program: a dialog that its opener did not place for
// an opening (PlaceFrameAt, CentreOverMainWindow, PlaceKeptDialog, MarkPlaced...) opens
// centred over the main window; every dialog is placed after its own show handling has
// sized it, so the first opening in a session lands where the later ones do. Installing
// twice does no harm.
void InstallDialogPlaces();
// Places a dialog that keeps its place in Pos (AFPos, which a closing dialog sets from
// PositionOf): where it was last closed, or, while no place is stored (left and top 0),
// centred over the main window, taken with the same frame as later openings, so the first
// opening lands where the next ones do.
void PlaceKeptDialog(QWidget* dialog, const TFensterPos& pos);
// Rect moved (and shrunk where it must) into the available area of the screen it overlaps
// most, the primary screen when it overlaps none; a rect inside a screen stays as it is.
QRect OntoScreen(const QRect& rect);

// The title of a window named after a control's caption: the caption without its accelerator
// marks ("&"; a doubled "&&" shows as one "&").
QString DialogTitle(const QString& caption);

// A small fixed dialog: a title and a close button, no maximise or minimise button.
void SetFixedDialogFrame(QWidget* dialog);
// The least width that shows Title whole in a title bar beside its icon and buttons.
int TitleBarWidth(const QString& title);
// Fixes a small dialog at Size (invalid: what its layout asks for), widened to its present
// title: minimum and maximum alike, so a window manager offers neither resizing nor a
// maximise button. Call after the texts are set, before the dialog shows.
void FixDialogSize(QWidget* dialog, QSize size = QSize());

// Primary language of the user (Windows numbering: 7 German, 9 English, 12 French, ...).
std::uint16_t UserPrimaryLangID();

}  // namespace tav
