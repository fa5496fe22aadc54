#include "common/whole_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/error_numbers.h"
#include "common/run_time_error.h"
#include "full_disk.h"
#include "support/folder_names.h"
#include "support/scratch_folder.h"
#include "support/text_files.h"

namespace stelvador {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The number and description of the failure, or 0 and "" when the step succeeds.
std::pair<int, std::string> FailureOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RunTimeError& e) {
        return {e.number(), e.what()};
    }
    return {0, ""};
}

// Bytes no page or buffer boundary lines up with.
std::string Bytes(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<char>('a' + i % 23);
    }
    return bytes;
}

TEST(FileErrorNumber, EachCauseHasTheNumberOfWhatTheUserCanDo) {
    struct Case {
        int cause;
        int number;
    };
    for (const Case& c :
         {Case{ENOENT, error::kPathNotFound}, Case{ENOTDIR, error::kPathNotFound},
          Case{ENOSPC, error::kDiskFull}, Case{EDQUOT, error::kDiskFull},
          Case{EFBIG, error::kDiskFull}, Case{EIO, error::kDeviceIoError},
          Case{EACCES, error::kPathFileAccessError}, Case{EPERM, error::kPathFileAccessError},
          Case{EROFS, error::kPathFileAccessError}, Case{EISDIR, error::kPathFileAccessError},
          Case{0, error::kPathFileAccessError}}) {
        EXPECT_EQ(FileErrorNumber(c.cause), c.number) << c.cause;
    }
    EXPECT_EQ(FailureOf([] { ThrowFileError(ENOSPC); }),
              (std::pair<int, std::string>{error::kDiskFull, "Disk full"}));
}

class WholeFileWriter : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            MakeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    void TearDown() override { fs::remove_all(m_folder); }
    std::string path(const std::string& name) const { return (m_folder / name).string(); }

    fs::path m_folder;
};

TEST_F(WholeFileWriter, CreatesAndReplacesWithExactlyTheBytes) {
    const std::string big = Bytes(300 * 1024 + 7);
    WriteWholeFile(path("a.dat"), big);
    EXPECT_EQ(ReadBytes(path("a.dat")), big);
    WriteWholeFile(path("a.dat"), "short");
    EXPECT_EQ(ReadBytes(path("a.dat")), "short");
    WriteWholeFile(path("a.dat"), "");
    EXPECT_TRUE(fs::exists(path("a.dat")));
    EXPECT_EQ(fs::file_size(path("a.dat")), 0u);
    EXPECT_EQ(FolderNames(m_folder), std::vector<std::string>{"a.dat"});
}

TEST_F(WholeFileWriter, FailuresHaveTheirNumbersAndLeaveTheFolderAsItWas) {
    fs::create_directory(path("a folder"));
    WriteBytes(path("plain"), "x");
    struct Case {
        std::string target;
        int number;
        std::string description;
    };
    for (const Case& c :
         {Case{"", error::kBadFileNameOrNumber, "Bad file name or number"},
          Case{path("missing/x.dat"), error::kPathNotFound, "Path not found"},
          Case{path("plain/x.dat"), error::kPathNotFound, "Path not found"},
          Case{path("a folder"), error::kPathFileAccessError, "Path/File access error"}}) {
        EXPECT_EQ(FailureOf([&] { WriteWholeFile(c.target, "bytes"); }),
                  (std::pair<int, std::string>{c.number, c.description}))
            << c.target;
    }
    EXPECT_EQ(FolderNames(m_folder), (std::vector<std::string>{"a folder", "plain"}));
    EXPECT_EQ(ReadBytes(path("plain")), "x");
}

// Appends of every size end up in order, whether they pass through the buffer or go straight.
TEST_F(WholeFileWriter, AReplacementTakesAppendsOfAnySizeAndReplacesOnlyWhenCommitted) {
    WriteBytes(path("set.dat"), "earlier");
    std::string expected;
    {
        FileReplacement replacement(path("set.dat"));
        EXPECT_EQ(replacement.temporaryPath().parent_path(), m_folder);
        for (const std::size_t size : {1u, 70000u, 5u, 65536u, 65535u, 3u, 200000u}) {
            const std::string piece = Bytes(size);
            replacement.append(piece);
            expected += piece;
        }
        replacement.finish();
        EXPECT_EQ(ReadBytes(path("set.dat")), "earlier");
        replacement.replaceTarget();
        EXPECT_FALSE(replacement.isActive());
    }
    EXPECT_EQ(ReadBytes(path("set.dat")), expected);
    EXPECT_EQ(FolderNames(m_folder), std::vector<std::string>{"set.dat"});
}

TEST_F(WholeFileWriter, AReplacementThatIsNotCommittedLeavesTheTargetAndNothingBehind) {
    WriteBytes(path("kept.dat"), "earlier");
    {
        FileReplacement replacement(path("kept.dat"));
        replacement.append(Bytes(100000));
        replacement.finish();
    }
    {
        FileReplacement replacement(path("kept.dat"));
        replacement.append("x");
        replacement.discard();
        EXPECT_FALSE(replacement.isActive());
    }
    {
        FileReplacement first(path("kept.dat"));
        first.append("moved");
        FileReplacement second = std::move(first);
        EXPECT_FALSE(first.isActive());  // the moved-from one removes nothing
        second.commit();
    }
    EXPECT_EQ(ReadBytes(path("kept.dat")), "moved");
    EXPECT_EQ(FolderNames(m_folder), std::vector<std::string>{"kept.dat"});
}

TEST_F(WholeFileWriter, ReplacingKeepsTheFilesPermissionsAndTheLinkToIt) {
    WriteBytes(path("file.dat"), "old");
    fs::permissions(path("file.dat"),
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(path("file.dat"), path("link.dat"));
    WriteWholeFile(path("link.dat"), "new");
    EXPECT_TRUE(fs::is_symlink(path("link.dat")));
    EXPECT_EQ(ReadBytes(path("file.dat")), "new");
    EXPECT_EQ(fs::status(path("file.dat")).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(FolderNames(m_folder), (std::vector<std::string>{"file.dat", "link.dat"}));
}

// A library writes by name: it is given an empty file of the target's folder that it may open
// with truncation, and only what it wrote when it returns replaces the target.
TEST_F(WholeFileWriter, ALibraryWritesTheTemporaryFileByItsName) {
    WriteBytes(path("book.xlsx"), "earlier");
    std::string given;
    WriteWholeFileThrough(path("book.xlsx"), [&](const std::string& temporaryPath) {
        given = temporaryPath;
        EXPECT_EQ(fs::path(temporaryPath).parent_path(), m_folder);
        EXPECT_TRUE(fs::is_regular_file(temporaryPath));
        EXPECT_EQ(fs::file_size(temporaryPath), 0u);
        std::ofstream(temporaryPath, std::ios::binary | std::ios::trunc) << "written by name";
    });
    EXPECT_EQ(ReadBytes(path("book.xlsx")), "written by name");
    EXPECT_FALSE(fs::exists(given));
    EXPECT_EQ(FolderNames(m_folder), std::vector<std::string>{"book.xlsx"});
}

TEST_F(WholeFileWriter, WhatTheLibrarysWriteThrowsPassesOnAndTheTargetStays) {
    WriteBytes(path("book.xlsx"), "earlier");
    EXPECT_THROW(WriteWholeFileThrough(path("book.xlsx"),
                                       [](const std::string& temporaryPath) {
                                           std::ofstream(temporaryPath) << "half";
                                           throw std::logic_error("refused");
                                       }),
                 std::logic_error);
    EXPECT_EQ(FailureOf([&] {
                  WriteWholeFileThrough(path("book.xlsx"), [](const std::string&) {
                      throw RunTimeError(error::kDiskFull, "Disk full");
                  });
              }).first,
              error::kDiskFull);
    EXPECT_EQ(ReadBytes(path("book.xlsx")), "earlier");
    EXPECT_EQ(FolderNames(m_folder), std::vector<std::string>{"book.xlsx"});
}

class WholeFileWriterOnAFullDisk : public ::testing::TestWithParam<FullDiskKind> {};

INSTANTIATE_TEST_SUITE_P(Disks, WholeFileWriterOnAFullDisk,
                         ::testing::Values(FullDiskKind::SmallFileSystem,
                                           FullDiskKind::FileSizeLimit),
                         [](const auto& info) { return FullDiskKindName(info.param); });

TEST_P(WholeFileWriterOnAFullDisk, LeavesTheEarlierFileByteForByteAndNothingBehind) {
    FullDiskFolder disk(GetParam(), "writer");
    if (!disk.available()) {
        GTEST_SKIP() << "no file system may be mounted here";
    }
    const fs::path target = disk.path() / "data.epd";
    const std::string earlier = Bytes(20000);
    WriteBytes(target, earlier);
    disk.fill(8192);
    // Larger than the room, written at once, in appends, and by a library by name.
    const std::string bigger = Bytes(200000);
    EXPECT_EQ(FailureOf([&] { WriteWholeFile(target.string(), bigger); }),
              (std::pair<int, std::string>{error::kDiskFull, "Disk full"}));
    EXPECT_EQ(FailureOf([&] {
                  FileReplacement replacement(target.string());
                  for (int i = 0; i < 50; ++i) {
                      replacement.append(Bytes(4000));
                  }
                  replacement.commit();
              }).first,
              error::kDiskFull);
    EXPECT_EQ(FailureOf([&] {
                  WriteWholeFileThrough(target.string(), [&](const std::string& temporaryPath) {
                      WriteWholeFile(temporaryPath, bigger);
                  });
              }).first,
              error::kDiskFull);
    EXPECT_EQ(ReadBytes(target), earlier);
    EXPECT_EQ(FolderNames(disk.path()), std::vector<std::string>{"data.epd"});
    // With room again the same write replaces it.
    disk.empty();
    WriteWholeFile(target.string(), bigger);
    EXPECT_EQ(ReadBytes(target), bigger);
    EXPECT_EQ(FolderNames(disk.path()), std::vector<std::string>{"data.epd"});
}

}  // namespace
}  // namespace stelvador
