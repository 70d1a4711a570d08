// TTitleStripMenu: a drop-down menu that can show a vertical band along its
// left side, 25 pixels wide, with the caption "Tarnwick" written upwards in
// white bold Arial on a gradient that ends in the active-caption colour. The
// main window shows the band on the File menu only.
#pragma once

#include <QMenu>

namespace tarnwick {

class TTitleStripMenu : public QMenu {
    Q_OBJECT
public:
    static constexpr int kStripWidth = 25;

    explicit TTitleStripMenu(const QString& title, QWidget* parent = nullptr);

    void SetStripVisible(bool visible);
    bool StripVisible() const { return stripVisible_; }
    QString StripCaption() const { return QStringLiteral("Tarnwick"); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool stripVisible_ = false;
};

}  // namespace tarnwick
