// The results window for real, offscreen, with the real spreadsheet stand-in behind it.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTest>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "common/continue_on_error.h"
#include "platform/flex_grid_view.h"
#include "platform/qt_clipboard.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "recording_message_box.h"
#include "results/form10.h"
#include "results/form10_link.h"
#include "scripted_file_dialog.h"
#include "scripted_shell.h"
#include "widgets/dialogs/about_windows.h"
#include "widgets/panel_status_bar.h"
#include "widgets/title_band.h"
#include "widgets/twips.h"
#include "widgets/window_services.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

class ResultsWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        s_root = fs::temp_directory_path() / ("stelvador_r_results_" + std::to_string(::getpid()));
        fs::create_directories(s_root / "with workbook");
        fs::create_directories(s_root / "without workbook");
        const std::string command =
            "/usr/bin/python3 -c \"import openpyxl, sys; openpyxl.Workbook().save(sys.argv[1])\" "
            "'" +
            (s_root / "with workbook" / "Output.xlsx").string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    static void TearDownTestSuite() { fs::remove_all(s_root); }

    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    static QString folder(const char* name) {
        return QString::fromStdString((s_root / name).string());
    }

    WindowServices services() {
        return {m_dialog, m_messages, m_shell, m_clipboard, m_spreadsheets, m_about};
    }

    static fs::path s_root;
    SpreadsheetApplications m_spreadsheets{std::make_shared<DontSaveChangesQuestion>()};
    ScriptedFileDialog m_dialog;
    RecordingMessageBox m_messages;
    ScriptedShell m_shell;
    QtClipboard m_clipboard;
    AboutWindows m_about{m_shell};
};

fs::path ResultsWindowTest::s_root;

TEST_F(ResultsWindowTest, LoadHoldsTheOutputWorkbookOpenInAHiddenApplication) {
    Project().pendingError = 0;
    Form10 form(services(), folder("with workbook"));
    EXPECT_EQ(PendingError(), 0);
    ASSERT_FALSE(form.ExcelApp().isNothing());
    EXPECT_FALSE(form.ExcelApp().Visible());
    ASSERT_FALSE(form.OutputBook().isNothing());
    EXPECT_EQ(fs::path(form.OutputBook().FullName()).filename(), "Output.xlsx");
    EXPECT_FALSE(form.OutputSheet().isNothing());
    EXPECT_EQ(m_spreadsheets.RunningCount(), 1);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(ResultsWindowTest, LoadAlwaysStartsANewApplication) {
    Form10 first(services(), folder("with workbook"));
    Form10 second(services(), folder("with workbook"));
    EXPECT_EQ(m_spreadsheets.RunningCount(), 2);
}

TEST_F(ResultsWindowTest, WithoutOutputWorkbookTheWindowIsStillLaidOutSilently) {
    Form10 form(services(), folder("without workbook"));
    EXPECT_FALSE(form.ExcelApp().isNothing());
    EXPECT_FALSE(form.ExcelApp().Visible());
    EXPECT_TRUE(form.OutputBook().isNothing());
    EXPECT_TRUE(form.OutputSheet().isNothing());
    // The last failure (taking a sheet of the workbook that did not open) is left pending for
    // the command that created the window.
    EXPECT_EQ(PendingError(), 424);
    const FlexGrid& grid = form.MSFlexGrid1();
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 135);
    EXPECT_EQ(grid.TextMatrix(0, 134), "134");
    EXPECT_EQ(grid.TextMatrix(1, 130), "[Epidote name]");
    EXPECT_EQ(grid.cellAlignmentAt(1, 7), FlexGrid::kAlignRightTop);
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
}

TEST_F(ResultsWindowTest, ControlsAreAsDesigned) {
    Form10 form(services(), folder("with workbook"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("S t e l v a d o r"));
    EXPECT_EQ(form.Frame2().Label3().text(), QStringLiteral("Calculation Screen"));
    EXPECT_EQ(form.Frame2().Label2().text(),
              QStringLiteral("A Windows Program for Epidote-Supergroup Minerals"));
    EXPECT_EQ(form.Frame2().Label3().font().family(), QStringLiteral("Monotype Corsiva"));
    EXPECT_TRUE(form.Frame2().Label3().font().italic());
    EXPECT_DOUBLE_EQ(form.Frame2().Label3().font().pointSizeF(), 20.25);
    EXPECT_TRUE(form.ProgressBar1().isHidden());
    EXPECT_EQ(form.ProgressBar1().minimum(), 0);
    EXPECT_EQ(form.ProgressBar1().maximum(), 100);
    // The cell mirror lies left of the visible client area, and its height sets the rows'.
    EXPECT_LT(form.Text1().geometry().right(), 0);
    EXPECT_EQ(form.MSFlexGrid1().RowHeightMin(), PixelsToTwips(form.Text1().height(), form));
    EXPECT_NEAR(form.MSFlexGrid1().RowHeightMin(), 255, 15);
}

struct PanelCase {
    int panel;
    const char* toolTip;
    bool setByCalculation;
};

TEST_F(ResultsWindowTest, StatusBarHasItsSixPanels) {
    Form10 form(services(), folder("with workbook"));
    PanelStatusBar& panels = form.StatusBar1();
    ASSERT_EQ(panels.panelCount(), 6);
    const PanelCase cases[] = {
        {1, "File", true},
        {2, "Normalization", true},
        {3, "Number of oxygen for epidote recalculation", true},
        {4, "Renormalization to Si = 3", true},
        {5, "Clock", false},
        {6, "Date", false},
    };
    for (const PanelCase& c : cases) {
        EXPECT_EQ(panels.panelToolTip(c.panel), QString::fromUtf8(c.toolTip)) << c.panel;
        // Panels 1 to 4 start empty; the clock and date panels keep themselves up.
        EXPECT_EQ(panels.panelText(c.panel).empty(), c.setByCalculation) << c.panel;
    }
    form.setStatusPanelText(4, "Si = 3");
    EXPECT_EQ(panels.panelText(4), "Si = 3");
}

TEST_F(ResultsWindowTest, FrameCloseQuitsTheApplicationAndUnloadsTheWindow) {
    Form10Link link(services(), folder("with workbook"));
    EXPECT_FALSE(link.isLoaded());
    Form10& form = link.loadedForm();
    form.MSFlexGrid1().AddItem("first\t1.000");
    const SpreadsheetApplication app = form.ExcelApp();
    form.show();
    form.close();
    EXPECT_TRUE(app.isNothing());
    EXPECT_FALSE(link.isLoaded());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The next use creates the window afresh: a new application and only the layout rows.
    Form10& again = link.loadedForm();
    EXPECT_EQ(again.MSFlexGrid1().Rows(), 2);
    EXPECT_FALSE(again.ExcelApp().isNothing());
    EXPECT_EQ(m_spreadsheets.RunningCount(), 1);
}

// Pixels clearly darker than the background: text.
int InkIn(const QImage& image, const QRect& band) {
    int ink = 0;
    const QRect area = band.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            ink += qGray(image.pixel(x, y)) < 110 ? 1 : 0;
        }
    }
    return ink;
}

TEST_F(ResultsWindowTest, RenderedWindowShowsBothHeadingRowsAndTheResultRows) {
    Form10 form(services(), folder("with workbook"));
    form.MSFlexGrid1().AddItem("Czo-1 clinozoisite\t38.950\t0.050\t32.100\t\t\t2.450");
    form.MSFlexGrid1().AddItem("Ep-1 epidote\t37.800\t0.100\t23.400\t\t\t13.500");
    form.MSFlexGrid1().AddItem("");
    form.showWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));

    const QImage window = form.grab().toImage();
    ASSERT_FALSE(window.isNull());
    EXPECT_GT(InkIn(window, window.rect()), 0);

    FlexGridView& view = form.gridView();
    // Row 0, the column numbers, is the horizontal header.
    const QImage header = view.horizontalHeader()->grab().toImage();
    EXPECT_GT(InkIn(header, header.rect()), 20);

    // The scrolling rows: the heading row and the two result rows hold text, the blank row
    // none.
    const QImage cells = view.viewport()->grab().toImage();
    auto rowBand = [&](int modelRow) {
        return QRect(0, view.rowViewportPosition(modelRow), cells.width(),
                     view.rowHeight(modelRow));
    };
    ASSERT_EQ(view.model()->rowCount(), 4);
    const int blank = InkIn(cells, rowBand(3));
    for (int modelRow = 0; modelRow < 3; ++modelRow) {
        EXPECT_GT(InkIn(cells, rowBand(modelRow)), blank + 20) << "row " << modelRow + 1;
    }
}

}  // namespace
}  // namespace stelvador
