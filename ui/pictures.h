#pragma once

#include <string_view>

#include <QPixmap>
#include <QSize>

namespace bruso {

inline constexpr QSize CardPictureSize{75, 107};
inline constexpr QSize HandButtonPictureSize{30, 30};

// The face of one card ("2H" ... "4C"), drawn from the program's own pictures.
QPixmap CardFace(std::string_view code);

// The picture of the previous-hand (up) and next-hand (down) buttons: a grey disc with a
// triangle.
QPixmap HandButtonPicture(bool pointing_up);

// The thumbs-up picture of the about box, fitted into the size with its proportions kept.
QPixmap ThumbsUpPicture(QSize size);

}  // namespace bruso
