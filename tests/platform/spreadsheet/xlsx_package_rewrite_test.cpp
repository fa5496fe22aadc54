// The rewrite of a package's written cells: the parts it does not rewrite keep their packed
// bytes, the calculation chain goes with its relationship and content type, and the workbook
// asks for a full calculation on load.
#include "platform/spreadsheet/xlsx_package_rewrite.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/spreadsheet/workbook_file.h"
#include "platform/spreadsheet/written_value.h"
#include "platform/spreadsheet/xlsx_reader.h"
#include "platform/spreadsheet/zip_archive.h"
#include "support/text_files.h"
#include "zip_maker.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRelationship =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

std::vector<ZipPart> PackageWithCalculationChain() {
    const std::string types =
        "<Types><Override PartName=\"/xl/workbook.xml\" ContentType=\"w\"/>"
        "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"c\"/>"
        "</Types>";
    return {
        {"[Content_Types].xml", types},
        {"_rels/.rels", std::string("<Relationships><Relationship Id=\"r1\" Type=\"") +
                            kRelationship +
                            "officeDocument\" Target=\"xl/workbook.xml\"/>"
                            "</Relationships>"},
        {"xl/workbook.xml",
         "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rs\"/>"
         "<sheet name=\"T\" sheetId=\"2\" r:id=\"rt\"/></sheets><calcPr calcId=\"1\"/>"
         "</workbook>"},
        {"xl/_rels/workbook.xml.rels",
         std::string("<Relationships><Relationship Id=\"rs\" Type=\"") + kRelationship +
             "worksheet\" Target=\"worksheets/sheet1.xml\"/><Relationship Id=\"rt\" Type=\"" +
             kRelationship +
             "worksheet\" Target=\"worksheets/sheet2.xml\"/><Relationship "
             "Id=\"rc\" Type=\"" +
             kRelationship +
             "calcChain\" Target=\"calcChain.xml\"/>"
             "<Relationship Id=\"ry\" Type=\"" +
             kRelationship +
             "styles\" "
             "Target=\"styles.xml\"/></Relationships>"},
        {"xl/styles.xml",
         "<styleSheet><cellXfs count=\"2\"><xf numFmtId=\"0\"/><xf numFmtId=\"0\" fontId=\"1\"/>"
         "</cellXfs></styleSheet>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>1</v></c><c r=\"B1\">"
         "<f>A1*2</f><v>2</v></c></row></sheetData></worksheet>"},
        {"xl/worksheets/sheet2.xml",
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><f>S!A1</f><v>1</v></c></row>"
         "</sheetData></worksheet>",
         false, 9},
        {"xl/calcChain.xml", "<calcChain><c r=\"B1\" i=\"1\"/></calcChain>"},
        {"docProps/app.xml", "<Properties><Application>a test</Application></Properties>"},
    };
}

// Each entry's packed bytes, by name.
std::map<std::string, std::string> PackedEntries(const std::string& package) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(package.data(), package.size(), 0, &error);
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    EXPECT_NE(archive, nullptr);
    std::map<std::string, std::string> entries;
    for (zip_int64_t i = 0; archive != nullptr && i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string packed(static_cast<std::size_t>(stat.comp_size), '\0');
        zip_file_t* file =
            zip_fopen_index(archive, static_cast<zip_uint64_t>(i), ZIP_FL_COMPRESSED);
        zip_fread(file, packed.data(), packed.size());
        zip_fclose(file);
        entries[stat.name] = packed;
    }
    zip_discard(archive);
    return entries;
}

class PackageRewriteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/stelvador_package_rewrite_XXXXXX";
        m_folder = ::mkdtemp(pattern);
        WriteZip(m_folder / "book.xlsx", PackageWithCalculationChain());
        m_data = ReadWorkbookFile((m_folder / "book.xlsx").string());
    }
    void TearDown() override { fs::remove_all(m_folder); }

    void write(int row, int column, const std::string& text) {
        m_data.sheets[0].cells.Set(row, column, WrittenCellValue(text));
        m_data.sheets[0].writtenCells.emplace(row, column);
    }
    std::vector<const SheetData*> sheets() const {
        std::vector<const SheetData*> list;
        for (const SheetData& sheet : m_data.sheets) {
            list.push_back(&sheet);
        }
        return list;
    }

    fs::path m_folder;
    WorkbookData m_data;
};

TEST_F(PackageRewriteTest, AReadWorkbookKeepsItsPackageAndWhereItsPartsAre) {
    ASSERT_NE(m_data.xlsxSource, nullptr);
    EXPECT_EQ(m_data.xlsxSource->bytes, ReadBytes(m_folder / "book.xlsx"));
    EXPECT_EQ(m_data.xlsxSource->parts.workbook, "xl/workbook.xml");
    EXPECT_EQ(m_data.xlsxSource->parts.workbookRelationships, "xl/_rels/workbook.xml.rels");
    EXPECT_EQ(m_data.xlsxSource->parts.styles, "xl/styles.xml");
    EXPECT_EQ(m_data.xlsxSource->parts.calculationChain, "xl/calcChain.xml");
    EXPECT_EQ(m_data.sheets[1].partName, "xl/worksheets/sheet2.xml");
    // The import reads the active sheet's rows alone: no package to save is kept.
    EXPECT_EQ(
        ReadWorkbookFile((m_folder / "book.xlsx").string(), ActiveSheetRange(301, 44)).xlsxSource,
        nullptr);
}

TEST_F(PackageRewriteTest, NothingWrittenLeavesThePackageAsItWas) {
    EXPECT_EQ(RewriteXlsxPackage(*m_data.xlsxSource, sheets()).bytes, m_data.xlsxSource->bytes);
}

TEST_F(PackageRewriteTest, RewritesTheSheetAndCopiesEveryOtherPart) {
    write(1, 1, "2.500");
    write(1, 3, "new");
    const XlsxSource rewritten = RewriteXlsxPackage(*m_data.xlsxSource, sheets());
    EXPECT_EQ(rewritten.parts.calculationChain, "");

    const std::map<std::string, std::string> before = PackedEntries(m_data.xlsxSource->bytes);
    const std::map<std::string, std::string> after = PackedEntries(rewritten.bytes);
    for (const char* part : {"_rels/.rels", "docProps/app.xml"}) {
        ASSERT_TRUE(after.contains(part)) << part;
        EXPECT_EQ(after.at(part), before.at(part)) << part;
    }
    EXPECT_FALSE(after.contains("xl/calcChain.xml"));

    ZipArchive archive(rewritten.bytes, UnpackLimits{});
    EXPECT_EQ(archive.ReadWhole("xl/workbook.xml"),
              "<workbook xmlns:r=\"r\"><sheets><sheet name=\"S\" sheetId=\"1\" r:id=\"rs\"/>"
              "<sheet name=\"T\" sheetId=\"2\" r:id=\"rt\"/></sheets><calcPr calcId=\"1\" "
              "fullCalcOnLoad=\"1\"/></workbook>");
    EXPECT_EQ(archive.ReadWhole("[Content_Types].xml"),
              "<Types><Override PartName=\"/xl/workbook.xml\" ContentType=\"w\"/></Types>");
    EXPECT_EQ(archive.ReadWhole("xl/_rels/workbook.xml.rels").find("calcChain"), std::string::npos);
    // The bold number keeps its font and gains its format; the formula keeps no stale value.
    EXPECT_EQ(archive.ReadWhole("xl/worksheets/sheet1.xml"),
              "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" s=\"2\"><v>2.5</v></c><c r=\"B1\">"
              "<f>A1*2</f></c><c r=\"C1\" t=\"inlineStr\"><is><t>new</t></is></c></row>"
              "</sheetData></worksheet>");
    EXPECT_EQ(archive.ReadWhole("xl/styles.xml"),
              "<styleSheet><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"
              "</numFmts><cellXfs count=\"3\"><xf numFmtId=\"0\"/><xf numFmtId=\"0\" "
              "fontId=\"1\"/><xf numFmtId=\"164\" fontId=\"1\" applyNumberFormat=\"1\"/>"
              "</cellXfs></styleSheet>");

    // Read back, the written cells hold what was written.
    const WorkbookData read = ReadXlsxWorkbook(rewritten.bytes);
    EXPECT_EQ(read.sheets[0].cells.Find(1, 1)->number, 2.5);
    EXPECT_EQ(read.sheets[0].cells.Find(1, 3)->text, "new");
}

// A spreadsheet program that shows stored values without recalculating (LibreOffice does, even
// when the workbook asks for a full calculation on load) would show a formula on another sheet
// that reads a written cell with the value it had before; a sheet without formulas is copied
// packed as it was.
TEST_F(PackageRewriteTest, FormulasOnOtherSheetsKeepNoStaleValues) {
    std::vector<ZipPart> package = PackageWithCalculationChain();
    package[3].content.insert(package[3].content.find("<Relationship Id=\"rc\""),
                              std::string("<Relationship Id=\"ru\" Type=\"") + kRelationship +
                                  "worksheet\" Target=\"worksheets/sheet3.xml\"/>");
    package[2].content.insert(package[2].content.find("</sheets>"),
                              "<sheet name=\"U\" sheetId=\"3\" r:id=\"ru\"/>");
    package.push_back({"xl/worksheets/sheet3.xml",
                       "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>7</v></c></row>"
                       "</sheetData></worksheet>"});
    WriteZip(m_folder / "three.xlsx", package);
    m_data = ReadWorkbookFile((m_folder / "three.xlsx").string());
    write(1, 1, "2.500");
    const XlsxSource rewritten = RewriteXlsxPackage(*m_data.xlsxSource, sheets());

    ZipArchive archive(rewritten.bytes, UnpackLimits{});
    EXPECT_EQ(archive.ReadWhole("xl/worksheets/sheet2.xml"),
              "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><f>S!A1</f></c></row>"
              "</sheetData></worksheet>");
    EXPECT_EQ(PackedEntries(rewritten.bytes).at("xl/worksheets/sheet3.xml"),
              PackedEntries(m_data.xlsxSource->bytes).at("xl/worksheets/sheet3.xml"));
}

// A workbook without a styles part (some writers make none) gets one, with its relationship and
// content type, for the number formats its written numbers are shown in; the next save uses it.
TEST_F(PackageRewriteTest, AWorkbookWithoutStylesGetsAStylesPartForItsNumberFormats) {
    std::vector<ZipPart> package = PackageWithCalculationChain();
    const std::string styles = "<Relationship Id=\"ry\" Type=\"" + std::string(kRelationship) +
                               "styles\" Target=\"styles.xml\"/>";
    package[3].content.erase(package[3].content.find(styles), styles.size());
    package.erase(package.begin() + 4);
    ASSERT_EQ(package[4].name, "xl/worksheets/sheet1.xml");
    package[4].content = "<worksheet><sheetData/></worksheet>";
    WriteZip(m_folder / "plain.xlsx", package);
    m_data = ReadWorkbookFile((m_folder / "plain.xlsx").string());
    ASSERT_EQ(m_data.xlsxSource->parts.styles, "");
    write(1, 1, "37.800");
    const XlsxSource once =
        WriteRewrittenXlsxPackage(*m_data.xlsxSource, sheets(), (m_folder / "saved.xlsx").string());
    EXPECT_EQ(once.parts.styles, "xl/styles.xml");

    ZipArchive archive(once.bytes, UnpackLimits{});
    EXPECT_NE(archive.ReadWhole("xl/_rels/workbook.xml.rels")
                  .find("relationships/styles\" Target=\"styles.xml\""),
              std::string::npos);
    EXPECT_NE(archive.ReadWhole("[Content_Types].xml")
                  .find("<Override PartName=\"/xl/styles.xml\" ContentType=\"application/"
                        "vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/></Types>"),
              std::string::npos);
    const std::string stylesPart = archive.ReadWhole("xl/styles.xml");
    EXPECT_NE(stylesPart.find("<numFmt numFmtId=\"164\" formatCode=\"0.000\"/>"),
              std::string::npos);
    EXPECT_EQ(archive.ReadWhole("xl/worksheets/sheet1.xml"),
              "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" s=\"1\"><v>37.8</v></c></row>"
              "</sheetData></worksheet>");

    const WorkbookData read = ReadWorkbookFile((m_folder / "saved.xlsx").string());
    EXPECT_EQ(read.xlsxSource->parts.styles, "xl/styles.xml");
    EXPECT_EQ(read.sheets[0].cells.Find(1, 1)->number, 37.8);
    m_data.sheets[0].writtenCells.clear();
    write(2, 1, "1,234.5");
    const XlsxSource twice = RewriteXlsxPackage(once, sheets());
    ZipArchive again(twice.bytes, UnpackLimits{});
    EXPECT_NE(again.ReadWhole("xl/styles.xml").find("formatCode=\"#,##0.0\""), std::string::npos);
    EXPECT_EQ(again.ReadWhole("[Content_Types].xml"), archive.ReadWhole("[Content_Types].xml"));
}

// libzip writes a package whose first parts stay as they were by sharing them with the package
// read, when they are most of it: the package read must be memory of libzip's own, or it frees
// what it does not own (here, a large picture before every part that changes).
TEST_F(PackageRewriteTest, APackageMostlyKeptAsItWasIsRewrittenSafely) {
    std::string picture(256 << 10, '\0');
    unsigned state = 12345;
    for (char& byte : picture) {
        state = state * 1103515245u + 12345u;  // bytes that do not pack smaller
        byte = static_cast<char>(state >> 24);
    }
    std::vector<ZipPart> package = PackageWithCalculationChain();
    package.insert(package.begin(), ZipPart{"xl/media/image1.bin", picture});
    WriteZip(m_folder / "picture.xlsx", package);
    const std::string packedPicture =
        PackedEntries(ReadBytes(m_folder / "picture.xlsx")).at("xl/media/image1.bin");
    for (int save = 0; save < 3; ++save) {
        m_data = ReadWorkbookFile((m_folder / "picture.xlsx").string());
        write(1, 1, std::to_string(save + 1));
        const XlsxSource rewritten = WriteRewrittenXlsxPackage(
            *m_data.xlsxSource, sheets(), (m_folder / "picture.xlsx").string());
        const WorkbookData read = ReadXlsxWorkbook(rewritten.bytes);
        EXPECT_EQ(read.sheets[0].cells.Find(1, 1)->number, save + 1);
        EXPECT_EQ(PackedEntries(rewritten.bytes).at("xl/media/image1.bin"), packedPicture);
    }
}

TEST_F(PackageRewriteTest, SavedTwiceTheWorkbookStaysReadable) {
    write(2, 1, "1");
    const XlsxSource once =
        WriteRewrittenXlsxPackage(*m_data.xlsxSource, sheets(), (m_folder / "saved.xlsx").string());
    EXPECT_EQ(ReadBytes(m_folder / "saved.xlsx"), once.bytes);
    m_data.sheets[0].writtenCells.clear();
    write(3, 1, "12.25");
    const XlsxSource twice =
        WriteRewrittenXlsxPackage(once, sheets(), (m_folder / "saved.xlsx").string());
    const WorkbookData read = ReadWorkbookFile((m_folder / "saved.xlsx").string());
    EXPECT_EQ(read.sheets[0].cells.Find(2, 1)->text, "1");
    EXPECT_EQ(read.sheets[0].cells.Find(3, 1)->number, 12.25);
    EXPECT_EQ(read.sheets[0].cells.Find(1, 2), nullptr);  // the formula keeps no stale value
    EXPECT_EQ(read.sheets[1].cells.Find(1, 1), nullptr);  // nor does the other sheet's
    EXPECT_EQ(twice.parts.calculationChain, "");
}

}  // namespace
}  // namespace stelvador
