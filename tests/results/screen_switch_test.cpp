// The two main windows together: Display Previous Screen and Display Next Screen lead between
// them and show the same results window with its rows; About and Help of the data entry window
// share the about window and the help file's look-up with the results window; both windows
// copy and paste through the clipboard the program hands them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/continue_on_error.h"
#include "entry/kkj.h"
#include "platform/clipboard.h"
#include "platform/flex_grid.h"
#include "results_window_fixture.h"

namespace stelvador {
namespace {

class ScreenSwitchTest : public ResultsWindowFixture {
  protected:
    void SetUp() override {
        ResultsWindowFixture::SetUp();
        m_entryMessages = std::make_unique<RecordingMessageBox>();
        loadLink();
        m_entry = std::make_unique<kkj>(WindowServices{m_dialog, *m_entryMessages, m_shell,
                                                       m_clipboard, m_spreadsheets, m_about},
                                        *m_link);
    }
    void TearDown() override {
        m_entry.reset();
        ResultsWindowFixture::TearDown();
    }

    // The link without a loaded window: the data entry window creates it.
    void loadLink() {
        ResultsWindowRoutes withEntry = routes();
        withEntry.showDataEntryWindow = [this] {
            ++m_dataEntryShown;
            m_entry->show();
        };
        m_link = std::make_unique<Form10Link>(
            services(), QString::fromStdString(programFolder().string()), withEntry);
    }

    static constexpr int kAboutPosition = 20;
    static constexpr int kHelpPosition = 21;
    static constexpr int kNextScreenPosition = 22;
    static constexpr int kPreviousScreenPosition = 16;

    std::unique_ptr<RecordingMessageBox> m_entryMessages;
    std::unique_ptr<kkj> m_entry;
};

TEST_F(ScreenSwitchTest, PreviousAndNextScreenShowTheSameResultsWindowWithItsRows) {
    // Before any calculation the results window comes with its two layout rows.
    m_entry->toolbarButton(kNextScreenPosition)->trigger();
    ASSERT_TRUE(m_link->isLoaded());
    Form10* results = m_link->form();
    EXPECT_TRUE(results->isVisible());
    EXPECT_EQ(results->MSFlexGrid1().Rows(), 2);
    results->MSFlexGrid1().AddItem("EP-1\t38.650");

    results->toolbarButton(kPreviousScreenPosition)->trigger();
    EXPECT_EQ(m_dataEntryShown, 1);
    EXPECT_TRUE(m_entry->isVisible());
    EXPECT_EQ(m_link->form(), results);

    m_entry->toolbarButton(kNextScreenPosition)->trigger();
    EXPECT_EQ(m_link->form(), results);
    EXPECT_EQ(results->MSFlexGrid1().TextMatrix(2, 1), "38.650");
    EXPECT_TRUE(m_entryMessages->texts().empty());
    EXPECT_TRUE(m_messages.texts().empty());
}

TEST_F(ScreenSwitchTest, BothWindowsShowTheOneAboutWindow) {
    m_entry->toolbarButton(kAboutPosition)->trigger();
    Form8* about = m_about.aboutWindow();
    ASSERT_NE(about, nullptr);
    m_entry->mnuAbout().trigger();
    EXPECT_EQ(m_about.aboutWindow(), about);
    loadWindow().menuItem("mnuAbaout")->trigger();
    EXPECT_EQ(m_about.aboutWindow(), about);
    EXPECT_TRUE(m_entryMessages->texts().empty());
}

TEST_F(ScreenSwitchTest, DataEntryHelpWithoutHelpFileIsReportedExceptWhenTheMenuOpens) {
    // The program folder of these tests holds no help file.
    ASSERT_FALSE(std::filesystem::exists(programFolder() / "Stelvador.chm"));
    emit m_entry->mnuHelp().aboutToShow();
    EXPECT_TRUE(m_entryMessages->texts().empty());
    m_entry->toolbarButton(kHelpPosition)->trigger();
    EXPECT_EQ(m_entryMessages->texts(), std::vector<std::string>{"File not found"});
    m_entryMessages->clear();
    m_entry->mnuHelp().actions().front()->trigger();
    EXPECT_EQ(m_entryMessages->texts(), std::vector<std::string>{"File not found"});
    EXPECT_TRUE(m_shell.documents().empty());
}

TEST_F(ScreenSwitchTest, DataEntryHelpOpensTheHelpFileOfTheResultsWindowsProgramFolder) {
    const std::filesystem::path help = programFolder() / "Stelvador.chm";
    std::ofstream(help) << "help";
    m_entry->toolbarButton(kHelpPosition)->trigger();
    EXPECT_EQ(m_shell.documents(), std::vector<std::string>{help.string()});
    EXPECT_TRUE(m_entryMessages->texts().empty());
    std::filesystem::remove(help);
}

// A clipboard in memory in the program's place: what one window puts there, the other reads.
class MemoryClipboard : public Clipboard {
  public:
    void Clear() override { m_text.reset(); }
    std::optional<std::string> GetText() override { return m_text; }
    void SetText(std::string_view gridTextBlock) override { m_text = std::string(gridTextBlock); }

  private:
    std::optional<std::string> m_text;
};

TEST_F(ScreenSwitchTest, BothWindowsCopyAndPasteThroughTheClipboardTheProgramHandsIn) {
    MemoryClipboard clipboard;
    Form10Link link(servicesWith(clipboard), QString::fromStdString(programFolder().string()),
                    routes());
    kkj entry(
        WindowServices{m_dialog, *m_entryMessages, m_shell, clipboard, m_spreadsheets, m_about},
        link);
    QApplication::clipboard()->clear();

    entry.mnuNewFile_Click();
    FlexGrid& typed = entry.MSFlexGrid1();
    typed.setTextMatrix(1, 1, "EP-1");
    typed.setRow(1);
    typed.setCol(1);
    entry.mnuEditCopy().trigger();
    EXPECT_TRUE(clipboard.GetText().has_value());

    Form10& results = link.loadedForm();
    FlexGrid& grid = results.MSFlexGrid1();
    grid.AddItem("Czo-1\t38.950");
    grid.setRow(2);
    grid.setCol(0);
    results.menuItem("mnuEditPaste")->trigger();
    EXPECT_EQ(grid.TextMatrix(2, 0), "EP-1");

    // The system clipboard was never reached.
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    EXPECT_TRUE(m_entryMessages->texts().empty());
    EXPECT_TRUE(m_messages.texts().empty());
}

}  // namespace
}  // namespace stelvador
