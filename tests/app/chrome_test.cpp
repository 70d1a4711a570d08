// The chrome helpers: the credits panel, the status bar, the title strip (on
// a rendered image) and the toolbar pictures with their theme fallback.
#include "chrome/credits_panel.h"
#include "chrome/status_bar.h"
#include "chrome/title_strip_menu.h"
#include "chrome/toolbar_icons.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

namespace tarnwick::test {
namespace {

TEST(CreditsPanel, scrolls_the_whole_text_out_and_starts_again_below)
{
    TCreditsPanel panel;
    panel.resize(200, 60);
    panel.SetLines({"Tarnwick", "Version 2.41", "", "Thanks"});
    panel.Start();
    const int height = panel.contentsRect().height();
    ASSERT_EQ(panel.Offset(), height);
    const int cycle = height + panel.TextHeight() + 1;
    for (int i = 0; i < cycle - 1; ++i)
        panel.Step();
    EXPECT_EQ(panel.Offset(), -panel.TextHeight());
    panel.Step();
    EXPECT_EQ(panel.Offset(), height);
    panel.Stop();
    EXPECT_FALSE(panel.Running());
}

TEST(StatusBar, panel_numbers_outside_the_bar_are_ignored)
{
    TStatusBar bar({10, 20});
    bar.SetPanelText(-1, "x");
    bar.SetPanelText(2, "x");
    bar.SetPanelText(1, "y");
    EXPECT_EQ(bar.PanelText(-1), "");
    EXPECT_EQ(bar.PanelText(0), "");
    EXPECT_EQ(bar.PanelText(1), "y");
    EXPECT_EQ(bar.PanelWidth(5), 0);
}

TEST(TitleStripMenu, strip_moves_the_items_right_of_the_band)
{
    TTitleStripMenu menu("&File");
    menu.addAction("Exit");
    EXPECT_EQ(menu.contentsMargins().left(), 0);
    menu.SetStripVisible(true);
    EXPECT_EQ(menu.contentsMargins().left(), TTitleStripMenu::kStripWidth);
    EXPECT_GE(menu.actionGeometry(menu.actions().front()).left(), TTitleStripMenu::kStripWidth);
    menu.SetStripVisible(false);
    EXPECT_EQ(menu.contentsMargins().left(), 0);
}

// Colours closer than `tolerance` in every channel count as the same.
bool Near(QColor a, QColor b, int tolerance = 24)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

QImage StripMenuImage(bool stripVisible)
{
    TTitleStripMenu menu("&File");
    for (const char* item : {"New", "Open", "Import", "Page setup", "Print", "Exit"})
        menu.addAction(item);
    menu.SetStripVisible(stripVisible);
    menu.adjustSize();
    return menu.grab().toImage();
}

TEST(TitleStripMenu, band_runs_from_dark_to_the_caption_colour_with_the_caption_in_white)
{
    const QColor caption = QPalette().color(QPalette::Active, QPalette::Highlight);
    const QImage image = StripMenuImage(true);
    ASSERT_GT(image.height(), 60);
    // The band's outer column carries no letters: its top is the caption
    // colour, its bottom close to black.
    EXPECT_TRUE(Near(image.pixelColor(1, 1), caption));
    EXPECT_LT(image.pixelColor(1, image.height() - 2).value(), 40);
    int white = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < TTitleStripMenu::kStripWidth; ++x)
            white += Near(image.pixelColor(x, y), Qt::white, 10);
    EXPECT_GT(white, 40);
    // The caption is written upwards from the bottom: the upper part of the
    // band holds no letters.
    for (int y = 0; y < 8; ++y)
        EXPECT_FALSE(Near(image.pixelColor(12, y), Qt::white, 10)) << y;

    const QImage plain = StripMenuImage(false);
    EXPECT_FALSE(Near(plain.pixelColor(1, 1), caption, 4));
}

TEST(ToolbarIcons, each_drawing_fills_its_square_and_differs_from_the_others)
{
    std::vector<QImage> drawn;
    for (int i = 0; i < kToolbarPictureCount; ++i) {
        SCOPED_TRACE(ToolbarIconName(static_cast<TToolbarPicture>(i)));
        const QIcon icon = DrawnToolbarIcon(static_cast<TToolbarPicture>(i));
        for (int size : {16, 24, 48})
            EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size));
        const QImage image = icon.pixmap(24, 24).toImage();
        int opaque = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                opaque += image.pixelColor(x, y).alpha() > 128;
        EXPECT_GT(opaque, 24 * 24 / 5);
        for (const QImage& other : drawn)
            EXPECT_TRUE(image != other);
        drawn.push_back(image);
    }
}

// Points the icon lookup at a theme of our own for the life of the object.
class ScopedIconTheme {
public:
    explicit ScopedIconTheme(const QString& folder)
        : paths_(QIcon::themeSearchPaths()), name_(QIcon::themeName())
    {
        QIcon::setThemeSearchPaths({folder});
        QIcon::setThemeName("tarnwick-test");
    }
    ~ScopedIconTheme()
    {
        QIcon::setThemeSearchPaths(paths_);
        QIcon::setThemeName(name_);
    }

private:
    QStringList paths_;
    QString name_;
};

TEST(ToolbarIcons, the_theme_picture_is_used_where_the_theme_has_one)
{
    QTemporaryDir themes;
    ASSERT_TRUE(themes.isValid());
    QDir(themes.path()).mkpath("tarnwick-test/24x24/actions");
    QFile index(themes.filePath("tarnwick-test/index.theme"));
    ASSERT_TRUE(index.open(QIODevice::WriteOnly));
    index.write("[Icon Theme]\nName=tarnwick-test\nDirectories=24x24/actions\n\n"
                "[24x24/actions]\nSize=24\nType=Fixed\n");
    index.close();
    QImage red(24, 24, QImage::Format_ARGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(themes.filePath("tarnwick-test/24x24/actions/document-open.png")));

    ScopedIconTheme theme(themes.path());
    const QImage open = ToolbarIcon(TToolbarPicture::Open).pixmap(24, 24).toImage();
    EXPECT_EQ(open.pixelColor(12, 12), QColor(Qt::red));
    // The theme has no picture for saving: the program's own one stands in.
    const QImage save = ToolbarIcon(TToolbarPicture::Save).pixmap(24, 24).toImage();
    EXPECT_TRUE(save == DrawnToolbarIcon(TToolbarPicture::Save).pixmap(24, 24).toImage());
}

}  // namespace
}  // namespace tarnwick::test
