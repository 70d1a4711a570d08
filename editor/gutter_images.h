// TGutterImages: the pictures the editor draws in its gutter — the numbered
// bookmarks 0..9 (and further marks of the first mark word), the images of
// the second mark word and the wrap glyph of continuation records. Each is
// 15 x 16 device-independent pixels, drawn in code with a transparent
// background and kept per device pixel ratio, so a 200 % screen gets
// pictures drawn at twice the resolution rather than scaled up.
#pragma once

#include <QImage>

#include <map>
#include <utility>

namespace tarnwick {

inline constexpr int kGutterImageWidth = 15;
inline constexpr int kGutterImageHeight = 16;

class TGutterImages {
public:
    enum TList { MarkList, SecondList, WrapGlyph };
    // The picture `index` (a mark bit number) of a list at the given device
    // pixel ratio; the wrap glyph ignores the index.
    const QImage& Image(TList list, int index, qreal ratio);

private:
    static QImage Draw(TList list, int index, qreal ratio);
    std::map<std::pair<int, int>, QImage> cache_; // (list * 64 + index, ratio * 100)
};

} // namespace tarnwick
