#pragma once
// The program's pictures, decoded once from its resources and kept for the program's life.

#include <QImage>
#include <QString>

namespace tav {

// Resource kinds as the callers name them.
enum class ResTyp { Jpeg, Bitmap, RCData };

// The picture named Name (case does not matter; an empty name means "leer"). The same image
// object is returned on every call. A picture that cannot be loaded gives a visible placeholder.
const QImage& LoadResBitmap(const QString& Name, ResTyp Typ = ResTyp::RCData);

}  // namespace tav
