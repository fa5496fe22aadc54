// A new workbook's save that fails (a full disk, a missing folder, a folder in the way) leaves
// the earlier file as it was and nothing behind, is told by its own message, and keeps
// libxlsxwriter's own error lines off standard error.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QTabWidget>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "full_disk.h"
#include "platform/spreadsheet/spreadsheet.h"
#include "platform/spreadsheet/xlsx_writer.h"
#include "scripted_save_changes_question.h"
#include "support/folder_names.h"
#include "support/scratch_folder.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// What the step writes to standard error (file descriptor 2), which goes to a file meanwhile.
std::string StandardErrorOf(const std::function<void()>& step) {
    const ScratchFolder scratch("standard_error");
    const fs::path captured = scratch.path() / "captured.txt";
    std::fflush(stderr);
    const int saved = ::dup(STDERR_FILENO);
    const int file = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, STDERR_FILENO);
    ::close(file);
    step();
    std::fflush(stderr);
    ::dup2(saved, STDERR_FILENO);
    ::close(saved);
    std::string text = ReadBytes(captured);
    fs::remove(captured);
    return text;
}

// A sheet as large as a sent results grid, so that the workbook needs more room than is left.
SheetData ResultsLikeSheet() {
    SheetData sheet;
    sheet.name = "Sheet1";
    for (int row = 1; row <= 300; ++row) {
        for (int column = 1; column <= 40; ++column) {
            CellValue value;
            value.kind = CellKind::Text;
            value.text = "r" + std::to_string(row) + "c" + std::to_string(column) + "-" +
                         std::to_string(row * 7919 % 1000003 + column);
            sheet.cells.Set(row, column, value);
        }
    }
    return sheet;
}

QMainWindow* Window() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == "SpreadsheetWindow") {
            return qobject_cast<QMainWindow*>(widget);
        }
    }
    return nullptr;
}

std::pair<int, std::string> FailureOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RunTimeError& e) {
        return {e.number(), e.what()};
    }
    return {0, ""};
}

class WorkbookSaveOnAFullDisk : public ::testing::TestWithParam<FullDiskKind> {
  protected:
    void SetUp() override {
        m_disk = std::make_unique<FullDiskFolder>(
            GetParam(), ::testing::UnitTest::GetInstance()->current_test_info()->name());
        if (!m_disk->available()) {
            GTEST_SKIP() << "no file system may be mounted here";
        }
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "xlwt_cells.xls", onDisk("Read.xls"));
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "openpyxl_cells.xlsx",
                      onDisk("Edited.xlsx"));
        m_application = m_applications.Create();
    }
    // Less room than the workbook takes. The file size limit holds for the library's own
    // temporary files too, and the library does not notice when those come out short, so the
    // room must be less than even a workbook of shortened parts needs.
    void fillDisk() { m_disk->fill(GetParam() == FullDiskKind::SmallFileSystem ? 8192 : 1024); }
    void TearDown() override {
        m_application = {};
        m_disk.reset();
    }
    std::string onDisk(const std::string& name) const { return (m_disk->path() / name).string(); }

    std::unique_ptr<FullDiskFolder> m_disk;
    std::shared_ptr<ScriptedSaveChangesQuestion> m_question =
        std::make_shared<ScriptedSaveChangesQuestion>();
    SpreadsheetApplications m_applications{m_question};
    SpreadsheetApplication m_application;
};

INSTANTIATE_TEST_SUITE_P(Disks, WorkbookSaveOnAFullDisk,
                         ::testing::Values(FullDiskKind::SmallFileSystem,
                                           FullDiskKind::FileSizeLimit),
                         [](const auto& info) { return FullDiskKindName(info.param); });

TEST_P(WorkbookSaveOnAFullDisk, LeavesTheEarlierWorkbookAndSaysDiskFullOnly) {
    const std::string earlier = ReadBytes(onDisk("Edited.xlsx"));
    const SheetData sheet = ResultsLikeSheet();
    fillDisk();
    std::pair<int, std::string> failure;
    const std::string printed = StandardErrorOf(
        [&] { failure = FailureOf([&] { WriteXlsxWorkbook({&sheet}, onDisk("Edited.xlsx")); }); });
    EXPECT_EQ(failure, (std::pair<int, std::string>{error::kDiskFull, "Disk full"}));
    EXPECT_EQ(printed, "");
    EXPECT_EQ(ReadBytes(onDisk("Edited.xlsx")), earlier);
    EXPECT_EQ(FolderNames(m_disk->path()), (std::vector<std::string>{"Edited.xlsx", "Read.xls"}));

    m_disk->empty();
    WriteXlsxWorkbook({&sheet}, onDisk("Edited.xlsx"));
    EXPECT_NE(ReadBytes(onDisk("Edited.xlsx")), earlier);
    EXPECT_EQ(FolderNames(m_disk->path()), (std::vector<std::string>{"Edited.xlsx", "Read.xls"}));
}

// A workbook read from an .xlsx file, whose package is rewritten, fails the same way.
TEST_P(WorkbookSaveOnAFullDisk, TheRewrittenPackageLeavesTheEarlierWorkbookAndSaysDiskFull) {
    const std::string earlier = ReadBytes(onDisk("Edited.xlsx"));
    const Workbook book = m_application.Workbooks().Open(onDisk("Edited.xlsx"));
    const Worksheet sheet = book.Worksheets(1);
    for (int row = 1; row <= 300; ++row) {
        for (int column = 1; column <= 40; ++column) {
            sheet.Cells(row, column)
                .setValue(std::to_string(row * 7919 % 1000003 + column) + "." +
                          std::to_string(row % 1000));
        }
    }
    fillDisk();
    EXPECT_EQ(FailureOf([&] { book.Save(); }),
              (std::pair<int, std::string>{error::kDiskFull, "Disk full"}));
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(ReadBytes(onDisk("Edited.xlsx")), earlier);
    EXPECT_EQ(FolderNames(m_disk->path()), (std::vector<std::string>{"Edited.xlsx", "Read.xls"}));

    m_disk->empty();
    book.Save();
    EXPECT_TRUE(book.Saved());
    EXPECT_NE(ReadBytes(onDisk("Edited.xlsx")), earlier);
    EXPECT_EQ(FolderNames(m_disk->path()), (std::vector<std::string>{"Edited.xlsx", "Read.xls"}));
}

// Through the spreadsheet window: a workbook read from .xls saved as a new .xlsx over an
// earlier one.
TEST_P(WorkbookSaveOnAFullDisk, TheWindowSaysDiskFullAndKeepsTheChanges) {
    const std::string earlier = ReadBytes(onDisk("Edited.xlsx"));
    const Workbook book = m_application.Workbooks().Open(onDisk("Read.xls"));
    const Worksheet sheet = book.Worksheets(1);
    for (int row = 1; row <= 300; ++row) {
        sheet.Cells(row, 5).setValue("changed " + std::to_string(row * 104729));
    }
    m_application.setVisible(true);
    fillDisk();
    m_question->paths.push_back(onDisk("Edited.xlsx"));
    const std::string printed =
        StandardErrorOf([] { Window()->findChild<QAction*>("actionSaveAs")->trigger(); });
    EXPECT_EQ(m_question->failures, std::vector<std::string>{"Edited.xlsx: Disk full"});
    EXPECT_EQ(printed, "");
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(book.FullName(), onDisk("Read.xls"));
    EXPECT_EQ(ReadBytes(onDisk("Edited.xlsx")), earlier);
    EXPECT_EQ(FolderNames(m_disk->path()), (std::vector<std::string>{"Edited.xlsx", "Read.xls"}));
}

class WorkbookSaveFailures : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "xlwt_cells.xls", m_folder / "Read.xls");
        m_application = m_applications.Create();
    }
    void TearDown() override {
        m_application = {};
        fs::remove_all(m_folder);
    }

    fs::path m_folder;
    std::shared_ptr<ScriptedSaveChangesQuestion> m_question =
        std::make_shared<ScriptedSaveChangesQuestion>();
    SpreadsheetApplications m_applications{m_question};
    SpreadsheetApplication m_application;
};

TEST_F(WorkbookSaveFailures, ARewrittenPackageForAMissingFolderIsPathNotFound) {
    fs::copy_file(fs::path(STELVADOR_TEST_DATA_DIR) / "openpyxl_cells.xlsx",
                  m_folder / "Edited.xlsx");
    const Workbook book = m_application.Workbooks().Open((m_folder / "Edited.xlsx").string());
    book.Worksheets(1).Cells(1, 1).setValue("changed");
    EXPECT_EQ(
        FailureOf([&] { book.SaveAs((m_folder / "missing" / "Edited.xlsx").string()); }).first,
        error::kPathNotFound);
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(book.FullName(), (m_folder / "Edited.xlsx").string());
}

TEST_F(WorkbookSaveFailures, TheWindowSaysWhyTheWorkbookCannotBeSaved) {
    const Workbook book = m_application.Workbooks().Open((m_folder / "Read.xls").string());
    book.Worksheets(1).Cells(1, 1).setValue("changed");
    fs::create_directory(m_folder / "in the way.xlsx");
    m_application.setVisible(true);
    QMainWindow* window = Window();
    ASSERT_NE(window, nullptr);
    struct Case {
        fs::path target;
        std::string failure;
    };
    for (const Case& c :
         {Case{m_folder / "missing" / "Book.xlsx", "Book.xlsx: Path not found"},
          Case{m_folder / "in the way.xlsx", "in the way.xlsx: Path/File access error"}}) {
        m_question->failures.clear();
        m_question->paths.push_back(c.target.string());
        const std::string printed =
            StandardErrorOf([&] { window->findChild<QAction*>("actionSaveAs")->trigger(); });
        EXPECT_EQ(m_question->failures, std::vector<std::string>{c.failure});
        EXPECT_EQ(printed, "");
    }
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(FolderNames(m_folder), (std::vector<std::string>{"Read.xls", "in the way.xlsx"}));
    EXPECT_TRUE(fs::is_empty(m_folder / "in the way.xlsx"));
}

// The silence lasts only while the library writes: what the program prints afterwards shows.
TEST_F(WorkbookSaveFailures, StandardErrorIsBackAfterTheSave) {
    SheetData sheet;
    const std::string printed = StandardErrorOf([&] {
        EXPECT_EQ(FailureOf([&] {
                      WriteXlsxWorkbook({&sheet}, (m_folder / "missing" / "x.xlsx").string());
                  }).first,
                  error::kPathNotFound);
        std::fputs("after the save\n", stderr);
    });
    EXPECT_EQ(printed, "after the save\n");
}

}  // namespace
}  // namespace stelvador
