#pragma once
// The size of a graph picture, asked before it is drawn: width and height in
// pixels, from a small picture up to an 8K screen.

#include <QSize>
#include <optional>

class QWidget;

namespace quellin {

inline constexpr QSize kSmallestGraphImage{640, 480};
inline constexpr QSize kLargestGraphImage{7680, 4320};

// The dialog "グラフ画像の大きさ" over owner, offering offered (held within the
// limits); the size chosen, or nothing when cancelled.
std::optional<QSize> askGraphImageSize(QWidget* owner, QSize offered);

} // namespace quellin
