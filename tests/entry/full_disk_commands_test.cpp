// Calculate, Save As and New File on a full disk, through the real data entry window: the earlier
// files stay byte for byte, nothing temporary is left, and the window says "Disk full".
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "calculation/output/plot_records.h"
#include "calculation_fixture.h"
#include "common/error_message_tables.h"
#include "entry/data_file.h"
#include "full_disk.h"
#include "platform/flex_grid.h"
#include "support/folder_names.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> FolderBytes(const fs::path& folder) {
    std::map<std::string, std::string> bytes;
    for (const std::string& name : FolderNames(folder)) {
        bytes[name] = ReadBytes(folder / name);
    }
    return bytes;
}

std::string DataEntryMessage(int number) {
    return std::string(ErrorMessage(ErrorTable::DataEntry, number).value_or("?"));
}

// The golden analyses, each sample name lengthened, so that a run's plot data files need more
// room than the full disk has left.
std::vector<AnalysisRow> LongNamedAnalyses(const std::string& prefix) {
    std::vector<AnalysisRow> rows = GoldenAnalyses();
    for (AnalysisRow& row : rows) {
        row.sample = prefix + std::string(2000, 'x') + row.sample;
    }
    return rows;
}

class FullDiskCommands : public CalculationFixture,
                         public ::testing::WithParamInterface<FullDiskKind> {
  protected:
    void SetUp() override {
        CalculationFixture::SetUp();
        m_disk = std::make_unique<FullDiskFolder>(
            GetParam(), ::testing::UnitTest::GetInstance()->current_test_info()->name());
        if (!m_disk->available()) {
            GTEST_SKIP() << "no file system may be mounted here";
        }
        fs::current_path(m_disk->path());
        openWindow();
    }
    void TearDown() override {
        fs::current_path(m_work);
        CalculationFixture::TearDown();
        m_disk.reset();
    }
    fs::path onDisk(const std::string& name) const { return m_disk->path() / name; }
    void writeOnDisk(const std::string& name, const std::vector<AnalysisRow>& rows) {
        fs::copy_file(writeDataFile(name, rows), onDisk(name));
    }

    std::unique_ptr<FullDiskFolder> m_disk;
};

INSTANTIATE_TEST_SUITE_P(Disks, FullDiskCommands,
                         ::testing::Values(FullDiskKind::SmallFileSystem,
                                           FullDiskKind::FileSizeLimit),
                         [](const auto& info) { return FullDiskKindName(info.param); });

TEST_P(FullDiskCommands, CalculateLeavesTheEarlierPlotDataFilesAndSaysDiskFull) {
    writeOnDisk("earlier.epd", GoldenAnalyses());
    writeOnDisk("later.epd", LongNamedAnalyses("later"));
    calculateFile(onDisk("earlier.epd"));
    ASSERT_TRUE(m_messages.texts().empty()) << m_messages.lastText();
    const auto earlier = FolderBytes(m_disk->path());
    ASSERT_EQ(earlier.size(), kPlotFileNames.size() + 2);

    m_disk->fill(16 * 1024);
    calculateFile(onDisk("later.epd"));
    EXPECT_EQ(m_messages.texts(),
              std::vector<std::string>{DataEntryMessage(61) +
                                       "\nThe 13 plot data files were left as they were before "
                                       "this run."});
    EXPECT_EQ(FolderBytes(m_disk->path()), earlier);
    // The results are shown all the same.
    EXPECT_EQ(
        results().MSFlexGrid1().TextMatrix(results().MSFlexGrid1().Rows() - 1, 0).rfind("later", 0),
        0u);

    m_disk->empty();
    m_messages.clear();
    calculateFile(onDisk("later.epd"));
    EXPECT_TRUE(m_messages.texts().empty()) << m_messages.lastText();
    const std::vector<std::string> lines = ReadLines(onDisk("VAlFe.dat"));
    ASSERT_GT(lines.size(), 1u);
    EXPECT_EQ(lines[1].rfind("later", 0), 0u);
    EXPECT_EQ(FolderNames(m_disk->path()).size(), kPlotFileNames.size() + 2);
}

TEST_P(FullDiskCommands, SaveAsLeavesTheEarlierDataFileAndSaysDiskFull) {
    writeOnDisk("analyses.epd", GoldenAnalyses());
    const std::string earlier = ReadBytes(onDisk("analyses.epd"));
    m_dialog.queuePath(onDisk("analyses.epd").string());
    m_window->mnuOpenFile_Click();
    FlexGrid& grid = m_window->MSFlexGrid1();
    for (int row = 1; row <= 300; ++row) {
        grid.setTextMatrix(row, 1, "changed " + std::string(100, 'c') + std::to_string(row));
    }

    m_disk->fill(4096);
    m_dialog.queuePath(onDisk("analyses.epd").string());
    m_window->mnuSaveAs_Click();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(61)});
    EXPECT_EQ(ReadBytes(onDisk("analyses.epd")), earlier);
    EXPECT_EQ(FolderNames(m_disk->path()), std::vector<std::string>{"analyses.epd"});

    m_disk->empty();
    m_messages.clear();
    m_dialog.queuePath(onDisk("analyses.epd").string());
    m_window->mnuSaveAs_Click();
    EXPECT_TRUE(m_messages.texts().empty()) << m_messages.lastText();
    EXPECT_EQ(ReadDataFile(onDisk("analyses.epd").string()).rfind("changed ", 0), 0u);
}

TEST_P(FullDiskCommands, NewFileLeavesTheEarlierGridTemplateAndSaysDiskFull) {
    const std::string earlier = std::string(9000, 'e');
    std::ofstream(onDisk("epdt.tem"), std::ios::binary) << earlier;
    m_disk->fill(4096);
    m_window->mnuNewFile_Click();
    EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(61)});
    EXPECT_EQ(ReadBytes(onDisk("epdt.tem")), earlier);
    EXPECT_EQ(FolderNames(m_disk->path()), std::vector<std::string>{"epdt.tem"});
}

class SaveAsFailures : public CalculationFixture {};

// The other failures of a save keep their own messages.
TEST_F(SaveAsFailures, SayWhyTheFileCannotBeWritten) {
    openWindow();
    fs::create_directory(m_work / "a folder.epd");
    struct Case {
        fs::path target;
        int number;
    };
    for (const Case& c :
         {Case{m_work / "missing" / "x.epd", 76}, Case{m_work / "a folder.epd", 75}}) {
        m_messages.clear();
        m_dialog.queuePath(c.target.string());
        m_window->mnuSaveAs_Click();
        fs::current_path(m_work);
        EXPECT_EQ(m_messages.texts(), std::vector<std::string>{DataEntryMessage(c.number)})
            << c.target;
    }
    EXPECT_EQ(FolderNames(m_work), std::vector<std::string>{"a folder.epd"});
}

}  // namespace
}  // namespace stelvador
