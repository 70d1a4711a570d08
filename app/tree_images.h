// The four pictures of the library tree: 0 a closed folder (a category), 1
// an open folder (a category expanded or selected), 2 a page with a coloured
// mark (the selected title), 3 a plain page (a title). They are drawn here,
// so they look the same on every desktop.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace tarnwick {

class TTreeImages {
public:
    static constexpr int kSize = 16;

    TTreeImages();

    // Picture `index` (0 to 3); any other index gives picture 3.
    const QPixmap& Image(int index) const;

    // A category's icon: the closed folder, or the open one when expanded;
    // selected, it always shows the open folder.
    QIcon CategoryIcon(bool expanded) const;
    // A title's icon: the plain page, the marked page when selected.
    QIcon TitleIcon() const;

private:
    QPixmap images_[4];
};

}  // namespace tarnwick
