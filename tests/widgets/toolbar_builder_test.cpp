// The toolbar both main windows build from a table of button designs.
#include "widgets/toolbar_builder.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QMainWindow>
#include <QToolBar>
#include <array>
#include <vector>

namespace stelvador {
namespace {

// Positions 3 and 4 are separators; so is none after the last button.
constexpr ToolbarButtonDesign kDesigns[] = {
    {1, "Cut", ToolbarPicture::Cut},
    {2, "Help", ToolbarPicture::Help},
    {5, "Display Previous Screen", ToolbarPicture::PreviousScreen},
};

QImage PictureOf(const QIcon& icon) {
    return icon.pixmap(kToolbarPictureSize, kToolbarPictureSize).toImage();
}

TEST(ToolbarBuilder, PutsEachButtonAtItsPositionWithSeparatorsBetween) {
    QMainWindow window;
    std::array<QAction*, 6> buttons{};
    std::vector<int> clicked;
    QToolBar* toolbar =
        BuildToolbar(window, kDesigns, buttons, [&](int position) { clicked.push_back(position); });

    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(toolbar->objectName(), QStringLiteral("Toolbar1"));
    EXPECT_FALSE(toolbar->isMovable());
    EXPECT_EQ(toolbar->iconSize(), QSize(16, 16));
    const QList<QAction*> positions = toolbar->actions();
    ASSERT_EQ(positions.size(), 5);
    EXPECT_EQ(buttons[0], nullptr);
    for (const int separator : {3, 4}) {
        EXPECT_TRUE(positions[separator - 1]->isSeparator()) << separator;
        EXPECT_EQ(buttons[static_cast<std::size_t>(separator)], nullptr) << separator;
    }
    for (const ToolbarButtonDesign& design : kDesigns) {
        QAction* button = positions[design.position - 1];
        EXPECT_EQ(buttons[static_cast<std::size_t>(design.position)], button) << design.position;
        EXPECT_EQ(button->toolTip(), QString::fromUtf8(design.toolTip));
        EXPECT_TRUE(button->text().isEmpty()) << design.position;
        EXPECT_EQ(PictureOf(button->icon()), PictureOf(ToolbarImage(design.picture)))
            << design.position;
        button->trigger();
    }
    EXPECT_EQ(clicked, (std::vector<int>{1, 2, 5}));
}

TEST(ToolbarImages, EveryPictureIsDrawnAndNoTwoLookAlike) {
    std::vector<QImage> drawn;
    // PlotGraph is the last picture of the set.
    for (int p = 0; p <= static_cast<int>(ToolbarPicture::PlotGraph); ++p) {
        const QImage image = PictureOf(ToolbarImage(static_cast<ToolbarPicture>(p)));
        ASSERT_EQ(image.size(), QSize(16, 16)) << p;
        for (std::size_t q = 0; q < drawn.size(); ++q) {
            EXPECT_NE(image, drawn[q]) << p << " looks like " << q;
        }
        drawn.push_back(image);
    }
}

}  // namespace
}  // namespace stelvador
