#pragma once
// The picture of "Сохранить в pdf": a page with a folded corner in red with
// a symbol in its middle, and the grey copy shown while the button is disabled.

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace lk63 {

inline constexpr int kSavePictureSize = 16;

QImage SavePicture();
// Every pixel grey, the shape and its shading kept.
QImage GreyedPicture(const QImage& picture);
// Both pictures, the grey one for the disabled state.
QIcon SaveButtonIcon();

}  // namespace lk63
