#pragma once
// The program's pictures, decoded once from its resources and kept for the program's life.

#include <QIcon>
#include <QImage>
#include <QString>

namespace tav {

// Resource kinds as the callers name them.
enum class ResTyp { Jpeg, Bitmap, RCData };

// The picture named Name (case does not matter; an empty name means "leer"). The same image
// object is returned on every call. A picture that cannot be loaded gives a visible placeholder.
//
// Pictures live in the resource folder ":/pictures", one file per name. A drawing (.svg) is
// rendered once at its own size times the screen's device-pixel ratio; a raster file of the
// kind (.jpg for Jpeg, .bmp for Bitmap, .png for RCData) is decoded as it is. Jpeg pictures have
// no transparency: a drawing asked for as Jpeg is rendered onto white.
const QImage& LoadResBitmap(const QString& Name, ResTyp Typ = ResTyp::RCData);

// The application's icon, the drawing the desktop entry names (resources/desktop), for every
// window of the program (QApplication::setWindowIcon). Rendered at the size a window asks for.
QIcon ProgrammIcon();

// The placeholder handed out for a picture that cannot be loaded (never cached under a name).
const QImage& ResBitmapPlaceholder();

}  // namespace tav
