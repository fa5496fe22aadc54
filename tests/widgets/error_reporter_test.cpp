#include "widgets/error_reporter.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/continue_on_error.h"
#include "common/project_variables.h"
#include "recording_message_box.h"

namespace stelvador {
namespace {

struct ReportCase {
    int number;
    std::string dataEntry;  // empty: nothing shown
    std::string results;
};

class ErrorReporter : public ::testing::TestWithParam<ReportCase> {
  protected:
    void SetUp() override { Project().pendingError = 0; }
    void TearDown() override { Project().pendingError = 0; }

    static std::vector<std::string> shown(const std::string& text) {
        return text.empty() ? std::vector<std::string>{} : std::vector<std::string>{text};
    }
};

TEST_P(ErrorReporter, ShowsTheWindowsTableTextForThePendingNumber) {
    const ReportCase& c = GetParam();
    Project().pendingError = c.number;
    RecordingMessageBox dataEntry;
    RecordingMessageBox results;
    ReportRunTimeError(ErrorTable::DataEntry, dataEntry);
    ReportRunTimeError(ErrorTable::Results, results);
    EXPECT_EQ(dataEntry.texts(), shown(c.dataEntry));
    EXPECT_EQ(results.texts(), shown(c.results));
    EXPECT_EQ(Project().pendingError, c.number) << "the reporter clears nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ErrorReporter,
    ::testing::Values(ReportCase{0, "", ""}, ReportCase{53, "File not found", "File not found"},
                      ReportCase{52, "Bad file name or number", "Bad file name or number"},
                      ReportCase{521, "Can't open clipboard", "Can't open clipboard"},
                      ReportCase{7, "Out of memory", "Out of memory"},
                      ReportCase{31001, "Out of memory", "Out of memory"},
                      ReportCase{424, "Object required. Possibly [Output.Xls]",
                                 "Object required. Possibly [Output.Xlsx]"},
                      ReportCase{6, "", "Overflow"}, ReportCase{11, "Division by zero", ""},
                      ReportCase{13, "", ""}, ReportCase{62, "", ""}, ReportCase{429, "", ""},
                      ReportCase{30100, "", ""}),
    [](const auto& info) { return "Number" + std::to_string(info.param.number); });

TEST(ErrorReporterAfterACommand, ShowsTheLastFailureOfTheSteps) {
    EnterContinueOnError();
    ContinueOnError([] { throw RunTimeError(53); });
    ContinueOnError([] {});
    ContinueOnError([] { throw RunTimeError(52); });
    RecordingMessageBox box;
    ReportRunTimeError(ErrorTable::DataEntry, box);
    EXPECT_EQ(box.texts(), std::vector<std::string>{"Bad file name or number"});
    EnterContinueOnError();
    box.clear();
    ReportRunTimeError(ErrorTable::DataEntry, box);
    EXPECT_TRUE(box.texts().empty());
}

TEST(ErrorReporterAfterACommand, ShowsTheFailuresReasonOnASecondLineUntilTheNextCommand) {
    EnterContinueOnError();
    ContinueOnError(
        [] { throw RunTimeError(321, {}, "The workbook is protected with a password."); });
    RecordingMessageBox box;
    ReportRunTimeError(ErrorTable::DataEntry, box);
    EXPECT_EQ(box.texts(), std::vector<std::string>{
                               "Invalid file format\nThe workbook is protected with a password."});

    // A later failure without a reason shows no reason of an earlier one.
    ContinueOnError([] { throw RunTimeError(53); });
    box.clear();
    ReportRunTimeError(ErrorTable::DataEntry, box);
    EXPECT_EQ(box.texts(), std::vector<std::string>{"File not found"});

    box.clear();
    ReportUnhandledError(ErrorTable::Results, box,
                         RunTimeError(61, {}, "Row 4, column 1 (Sample No) holds more."));
    EXPECT_EQ(box.texts(),
              std::vector<std::string>{"Disk full\nRow 4, column 1 (Sample No) holds more."});
    EnterContinueOnError();
    EXPECT_TRUE(PendingReason().empty());
}

struct UnhandledCase {
    const char* name;
    RunTimeError error;
    std::string dataEntry;
    std::string results;
};

class UnhandledError : public ::testing::TestWithParam<UnhandledCase> {};

TEST_P(UnhandledError, ShowsTheTableTextOrTheErrorsOwnDescription) {
    const UnhandledCase& c = GetParam();
    RecordingMessageBox dataEntry;
    RecordingMessageBox results;
    ReportUnhandledError(ErrorTable::DataEntry, dataEntry, c.error);
    ReportUnhandledError(ErrorTable::Results, results, c.error);
    EXPECT_EQ(dataEntry.texts(), std::vector<std::string>{c.dataEntry});
    EXPECT_EQ(results.texts(), std::vector<std::string>{c.results});
}

INSTANTIATE_TEST_SUITE_P(
    Errors, UnhandledError,
    ::testing::Values(UnhandledCase{"InTable", RunTimeError(75, "ignored"),
                                    "Path/File access error", "Path/File access error"},
                      UnhandledCase{"OutsideTable", RunTimeError(13, "Type mismatch"),
                                    "Type mismatch", "Type mismatch"},
                      UnhandledCase{"OutsideTableWithoutDescription", RunTimeError(429),
                                    "Run-time error 429", "Run-time error 429"},
                      UnhandledCase{"DiffersPerWindow424", RunTimeError(424),
                                    "Object required. Possibly [Output.Xls]",
                                    "Object required. Possibly [Output.Xlsx]"},
                      UnhandledCase{"OverflowOnlyInResultsTable", RunTimeError(6, "Overflow"),
                                    "Overflow", "Overflow"},
                      UnhandledCase{"DivisionOnlyInDataEntryTable",
                                    RunTimeError(11, "Division by zero"), "Division by zero",
                                    "Division by zero"},
                      UnhandledCase{"GridIndex", RunTimeError(30009, "Invalid Row value"),
                                    "Invalid Row value", "Invalid Row value"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnhandledError, OtherExceptionsShowOutOfMemoryOrInternalError) {
    RecordingMessageBox box;
    ReportUnhandledError(ErrorTable::DataEntry, box, std::bad_alloc());
    ReportUnhandledError(ErrorTable::Results, box, std::logic_error("bug"));
    EXPECT_EQ(box.texts(), (std::vector<std::string>{"Out of memory", "Internal error"}));
}

TEST(RunHandler, ShowsWhatReachesTheHandlersTopAndReturns) {
    RecordingMessageBox box;
    RunHandler(ErrorTable::DataEntry, box, [] { throw RunTimeError(53); });
    RunHandler(ErrorTable::DataEntry, box, [] { throw std::bad_alloc(); });
    RunHandler(ErrorTable::DataEntry, box, [] { throw 42; });
    bool ran = false;
    RunHandler(ErrorTable::DataEntry, box, [&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(box.texts(),
              (std::vector<std::string>{"File not found", "Out of memory", "Internal error"}));
}

// A message box that fails to show: the handler must still return, and the next handler runs
// and reports as usual.
class FailingMessageBox : public MessageBox {
  public:
    void Show(const std::string& text) override {
        m_tried.push_back(text);
        throw std::runtime_error("no display");
    }
    const std::vector<std::string>& tried() const { return m_tried; }

  private:
    std::vector<std::string> m_tried;
};

TEST(RunHandler, SurvivesAMessageBoxThatFails) {
    FailingMessageBox box;
    RunHandler(ErrorTable::Results, box, [] { throw RunTimeError(76); });
    EXPECT_EQ(box.tried(), (std::vector<std::string>{"Path not found"}));
    bool ran = false;
    RunHandler(ErrorTable::Results, box, [&] {
        ran = true;
        throw RunTimeError(53);
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(box.tried(), (std::vector<std::string>{"Path not found", "File not found"}));
}

}  // namespace
}  // namespace stelvador
