// Sending into a prepared output workbook and saving it keeps everything the user put there:
// openpyxl reads every sent cell's new value and every other cell, style, width, merged range,
// name, comment, sheet and formula as before, and every package part but the rewritten ones
// (the sent sheet, the styles, the workbook's calculation settings, the stored values of other
// sheets' formulas) holds its bytes as before.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "golden_analyses_file.h"
#include "platform/spreadsheet/written_value.h"
#include "platform/spreadsheet/zip_archive.h"
#include "prepared_output.h"
#include "support/exit_status.h"
#include "support/scratch_folder.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

enum class SaveWay { ExitExcelFile, SaveAs };

struct SaveCase {
    const char* fixture;
    SaveWay way;
};

std::string CaseName(const ::testing::TestParamInfo<SaveCase>& info) {
    std::string name = fs::path(info.param.fixture).stem().string();
    name += info.param.way == SaveWay::ExitExcelFile ? "_ExitExcelFile" : "_SaveAs";
    return name;
}

class PreparedOutputSaveTest : public PreparedOutputFixture,
                               public ::testing::WithParamInterface<SaveCase> {};

// "int|1|0.0|bold=0|fill=FFFFFF00" -> its items.
std::vector<std::string> Items(const std::string& fact) {
    std::vector<std::string> items;
    std::size_t from = 0;
    for (std::size_t bar = fact.find('|'); bar != std::string::npos; bar = fact.find('|', from)) {
        items.push_back(fact.substr(from, bar - from));
        from = bar + 1;
    }
    items.push_back(fact.substr(from));
    return items;
}

// "int|1|0.0|bold=0|fill=00FFFF00" -> "int|1|0.0": the value and its format.
std::string ValueAndFormat(const std::string& fact) {
    const std::vector<std::string> items = Items(fact);
    return items.size() < 3 ? fact : items[0] + "|" + items[1] + "|" + items[2];
}

std::string ColumnLetters(int column) {
    std::string letters;
    for (int rest = column; rest > 0; rest = (rest - 1) / 26) {
        letters.insert(letters.begin(), static_cast<char>('A' + (rest - 1) % 26));
    }
    return letters;
}

TEST_P(PreparedOutputSaveTest, KeepsEverythingButTheSentCells) {
    usePreparedOutput(GetParam().fixture);
    const WorkbookFacts before = DescribeWorkbook(m_fixture, workFolder());
    Form10& form = sendRows(AnalysisRows(5));
    const FlexGrid& grid = form.MSFlexGrid1();
    // What the send wrote, by the fact key of its cell.
    std::map<std::string, std::string> sent;
    for (int r = 0; r < grid.Rows(); ++r) {
        for (int c = 0; c < grid.Cols(); ++c) {
            sent["cell Sheet1!" + ColumnLetters(c + 1) + std::to_string(r + 1)] =
                grid.TextMatrix(r, c);
        }
    }
    fs::path saved = programFolder() / "Output.xlsx";
    if (GetParam().way == SaveWay::SaveAs) {
        saved = workFolder() / "Sent results.xlsx";
        form.OutputBook().SaveAs(saved.string());
    } else {
        exitExcelFileSaving(form);
    }
    const WorkbookFacts after = DescribeWorkbook(saved, workFolder());

    std::set<std::string> rewrittenParts = {"part xl/worksheets/sheet1.xml", "part xl/styles.xml",
                                            "part xl/workbook.xml"};
    // The other sheet's formula loses the value LibreOffice stored for it (openpyxl stores none).
    if (GetParam().fixture == std::string("prepared_output_libreoffice.xlsx")) {
        rewrittenParts.insert("part xl/worksheets/sheet2.xml");
    }
    for (const auto& [key, value] : before) {
        if (sent.contains(key) || rewrittenParts.contains(key)) {
            continue;
        }
        ASSERT_TRUE(after.contains(key)) << key;
        EXPECT_EQ(after.at(key), value) << key;
    }
    for (const auto& [key, value] : after) {
        if (!sent.contains(key)) {
            EXPECT_TRUE(before.contains(key)) << "new: " << key << " " << value;
            continue;
        }
        const std::string& text = sent.at(key);
        const std::vector<std::string> items = Items(value);
        ASSERT_EQ(items.size(), 5u) << key;
        const CellValue written = WrittenCellValue(text);
        if (written.kind == CellKind::Number) {
            EXPECT_TRUE(items[0] == "float" || items[0] == "int") << key << " " << value;
            EXPECT_EQ(std::strtod(items[1].c_str(), nullptr), written.number) << key;
            EXPECT_EQ(items[2], WrittenNumberFormat(text)) << key;
        } else {
            EXPECT_EQ(items[0] + "|" + items[1], text.empty() ? "NoneType|" : "str|" + text) << key;
        }
        // The cell keeps its style otherwise: its boldness and fill, as before the send.
        if (const auto old = before.find(key); old != before.end()) {
            const std::vector<std::string> oldItems = Items(old->second);
            EXPECT_EQ(items[3] + "|" + items[4], oldItems[3] + "|" + oldItems[4]) << key;
            if (written.kind != CellKind::Number) {
                EXPECT_EQ(items[2], oldItems[2]) << key;
            }
        }
    }
    // The sent column B shows the values sent, each in the format of its text.
    EXPECT_EQ(ValueAndFormat(after.at("cell Sheet1!B3")), "float|37.8|0.000");
    EXPECT_EQ(ValueAndFormat(after.at("cell Sheet1!B5")), "float|1234.5|#,##0.000");
    EXPECT_EQ(ValueAndFormat(after.at("cell Sheet1!B7")), "int|40|0");
    EXPECT_EQ(ValueAndFormat(after.at("cell Sheet1!B100")), "str|=AVERAGE(B3:B7)|General");
    EXPECT_EQ(ValueAndFormat(after.at("cell Notes!B1")), "str|=Sheet1!B3*2|General");
    EXPECT_EQ(after.at("width Sheet1!A"), "30.0");
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, PreparedOutputSaveTest,
    ::testing::Values(SaveCase{"prepared_output_openpyxl.xlsx", SaveWay::ExitExcelFile},
                      SaveCase{"prepared_output_openpyxl.xlsx", SaveWay::SaveAs},
                      SaveCase{"prepared_output_libreoffice.xlsx", SaveWay::ExitExcelFile},
                      SaveCase{"prepared_output_libreoffice.xlsx", SaveWay::SaveAs}),
    CaseName);

using PreparedOutputResaveTest = PreparedOutputFixture;

// Each sent cell's element in the saved sheet part, by its reference.
std::map<std::string, std::string> CellElements(const fs::path& workbook) {
    const std::string bytes = ReadBytes(workbook);
    ZipArchive archive(bytes, UnpackLimits{});
    const std::string sheet = archive.ReadWhole("xl/worksheets/sheet1.xml");
    std::map<std::string, std::string> cells;
    for (std::size_t at = sheet.find("<c "); at != std::string::npos;
         at = sheet.find("<c ", at + 1)) {
        const std::size_t tagEnd = sheet.find('>', at);
        const std::size_t end = sheet[tagEnd - 1] == '/' ? tagEnd + 1 : sheet.find("</c>", at) + 4;
        const std::size_t r = sheet.find("r=\"", at) + 3;
        cells[sheet.substr(r, sheet.find('"', r) - r)] = sheet.substr(at, end - at);
    }
    return cells;
}

TEST_F(PreparedOutputResaveTest, RowsSavedEarlierKeepTheirCellsByteForByte) {
    usePreparedOutput("prepared_output_openpyxl.xlsx");
    exitExcelFileSaving(sendRows(AnalysisRows(5)));
    const fs::path output = programFolder() / "Output.xlsx";
    const std::map<std::string, std::string> first = CellElements(output);
    ASSERT_TRUE(first.contains("B3"));

    // Opened again from the disk, eight analyses sent, the first five as before.
    exitExcelFileSaving(sendRows(AnalysisRows(8)));
    const std::map<std::string, std::string> second = CellElements(output);
    for (int row = 3; row <= 7; ++row) {
        for (const char* column : {"A", "B", "C", "E"}) {
            const std::string reference = column + std::to_string(row);
            ASSERT_TRUE(first.contains(reference)) << reference;
            EXPECT_EQ(second.at(reference), first.at(reference)) << reference;
        }
    }
    const WorkbookFacts facts = DescribeWorkbook(output, workFolder());
    EXPECT_EQ(ValueAndFormat(facts.at("cell Sheet1!B3")), "float|37.8|0.000");
    EXPECT_EQ(ValueAndFormat(facts.at("cell Sheet1!B4")), "float|38.125|0.000");
    EXPECT_EQ(ValueAndFormat(facts.at("cell Sheet1!B10")), "int|39|0.000");
    EXPECT_EQ(ValueAndFormat(facts.at("cell Sheet1!C10")), "float|17.5|0.0");
}

// stelvador-calc --send saves the output workbook of its program folder as the named file: a
// prepared one keeps everything the send does not write.
TEST(PreparedOutputToolSend, StelvadorCalcSendKeepsThePreparedWorkbook) {
    const ScratchFolder scratch("prepared_send");
    const fs::path& work = scratch.path();
    const fs::path program = work / "program";
    fs::create_directories(program);
    fs::copy_file(fs::path(STELVADOR_PROGRAM_DIR) / "stelvador-calc", program / "stelvador-calc");
    const fs::path fixture =
        fs::path(STELVADOR_SPREADSHEET_DATA_DIR) / "prepared_output_openpyxl.xlsx";
    fs::copy_file(fixture, program / "Output.xlsx");
    std::ofstream(work / "analyses.epd", std::ios::binary)
        << GoldenAnalysesDataFile(STELVADOR_GOLDEN_DIR);
    const std::string command = "cd '" + work.string() + "' && '" +
                                (program / "stelvador-calc").string() +
                                "' --send sent.xlsx analyses.epd > results.txt 2> errors.txt";
    const int status = std::system(command.c_str());
    ASSERT_EQ(ExitStatus(status), 0) << ReadBytes(work / "errors.txt");
    const std::vector<std::string> printed = ReadLines(work / "results.txt");
    ASSERT_GT(printed.size(), 7u);
    ASSERT_LT(printed.size(), 100u);

    const WorkbookFacts before = DescribeWorkbook(fixture, work);
    const WorkbookFacts after = DescribeWorkbook(work / "sent.xlsx", work);
    std::set<std::string> sentCells;
    for (std::size_t r = 0; r < printed.size(); ++r) {
        for (int c = 1; c <= 135; ++c) {
            sentCells.insert("cell Sheet1!" + ColumnLetters(c) + std::to_string(r + 1));
        }
    }
    const std::set<std::string> rewrittenParts = {"part xl/worksheets/sheet1.xml",
                                                  "part xl/styles.xml", "part xl/workbook.xml"};
    for (const auto& [key, value] : before) {
        if (sentCells.contains(key) || rewrittenParts.contains(key)) {
            continue;
        }
        ASSERT_TRUE(after.contains(key)) << key;
        EXPECT_EQ(after.at(key), value) << key;
    }
    // The first analysis's value in column B, sent as a number shown as written.
    const std::string sentB3 = SplitTabs(printed[2])[1];
    const std::vector<std::string> b3 = Items(after.at("cell Sheet1!B3"));
    ASSERT_EQ(WrittenCellValue(sentB3).kind, CellKind::Number) << sentB3;
    EXPECT_TRUE(b3[0] == "float" || b3[0] == "int") << after.at("cell Sheet1!B3");
    EXPECT_EQ(std::strtod(b3[1].c_str(), nullptr), WrittenCellValue(sentB3).number);
    EXPECT_EQ(b3[2], WrittenNumberFormat(sentB3));
    EXPECT_EQ(b3[4], "fill=00FFFF00");  // the cell's own style kept
}

}  // namespace
}  // namespace stelvador
