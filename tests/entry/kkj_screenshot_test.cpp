// Pictures of both screens of the data entry window, grabbed offscreen and written as PNG files
// under the build folder for a person to look at.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QTest>
#include <QToolBar>
#include <filesystem>

#include "calculation_fixture.h"
#include "platform/flex_grid.h"
#include "platform/flex_grid_view.h"
#include "widgets/panel_status_bar.h"
#include "widgets/title_band.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// How many different colours a part of a picture holds: a drawn control holds several.
int ColourCount(const QImage& image, const QRect& part) {
    QSet<QRgb> colours;
    const QRect inside = part.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            colours.insert(image.pixel(x, y));
        }
    }
    return static_cast<int>(colours.size());
}

using DataEntryScreenshots = CalculationFixture;

TEST_F(DataEntryScreenshots, BothScreensAreDrawn) {
    openWindow();
    m_window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    const fs::path folder = fs::path(STELVADOR_SCREENSHOT_DIR);
    fs::create_directories(folder);

    const auto grab = [&](const char* name) {
        QApplication::processEvents();
        const QImage image = m_window->grab().toImage();
        const fs::path file = folder / name;
        EXPECT_TRUE(image.save(QString::fromStdString(file.string()), "PNG"));
        EXPECT_GT(fs::file_size(file), 0u);
        return image;
    };
    const auto partOf = [&](QWidget& widget) {
        return QRect(widget.mapTo(m_window.get(), QPoint(0, 0)), widget.size());
    };

    const QImage startUp = grab("data_entry_start_up_screen.png");
    EXPECT_EQ(m_window->Toolbar1().actions().size(), 22);
    EXPECT_GT(ColourCount(startUp, partOf(m_window->Toolbar1())), 10);
    EXPECT_GT(ColourCount(startUp, partOf(m_window->Frame2())), 2);
    EXPECT_GT(ColourCount(startUp, partOf(m_window->Frame1())), 2);
    EXPECT_GT(ColourCount(startUp, partOf(m_window->StatusBar1())), 2);

    m_dialog.queuePath(writeDataFile("golden.epd", GoldenAnalyses()).string());
    m_window->mnuOpenFile_Click();
    const QImage dataEntry = grab("data_entry_data_entry_screen.png");
    // A longer screen title is shown in full.
    QLabel& title = m_window->Frame2().Label3();
    EXPECT_EQ(title.text(), QStringLiteral("Data Entry Screen"));
    EXPECT_GE(title.width(), title.sizeHint().width());
    EXPECT_GT(ColourCount(dataEntry, partOf(m_window->gridView())), 2);
    EXPECT_NE(startUp, dataEntry);
}

}  // namespace
}  // namespace stelvador
