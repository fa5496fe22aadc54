// Where the program's files are found: beside the executable in a build tree, in the share and
// libexec folders of the prefix when installed, never in the current folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/program_files.h"

namespace stelvador {
namespace {

struct LayoutCase {
    const char* executableFolder;
    const char* folder;
    const char* readerFolder;
};

class ProgramFilesLayoutTest : public testing::TestWithParam<LayoutCase> {};

const InstallLayout kLayout{"bin", "../share/stelvador", "../libexec/stelvador"};

TEST_P(ProgramFilesLayoutTest, FindsTheFilesFromTheExecutablesFolder) {
    const ProgramFiles files = ProgramFilesBeside(GetParam().executableFolder, kLayout);
    EXPECT_EQ(files.folder, GetParam().folder);
    EXPECT_EQ(files.readerFolder, GetParam().readerFolder);
}

INSTANTIATE_TEST_SUITE_P(
    BuildTreeAndInstall, ProgramFilesLayoutTest,
    testing::Values(
        // A build tree's program folder holds everything.
        LayoutCase{"/home/ann/stelvador/build/default/program",
                   "/home/ann/stelvador/build/default/program",
                   "/home/ann/stelvador/build/default/program"},
        // Installed: the prefix's share and libexec folders.
        LayoutCase{"/usr/bin", "/usr/share/stelvador", "/usr/libexec/stelvador"},
        LayoutCase{"/opt/stelvador/bin", "/opt/stelvador/share/stelvador",
                   "/opt/stelvador/libexec/stelvador"},
        // An unknown executable folder gives no folder at all, not the current one.
        LayoutCase{"", "", ""}));

TEST(ProgramFiles, TheBuildInstallsByTheFileSystemConventions) {
    const InstallLayout layout = BuiltInstallLayout();
    EXPECT_EQ(layout.binFolderName, "bin");
    EXPECT_EQ(layout.folderFromBin, "../share/stelvador");
    EXPECT_EQ(layout.readerFromBin, "../libexec/stelvador");
}

TEST(ProgramFiles, TheTestsFindTheBuildTreesProgramFolderWhateverTheCurrentFolder) {
    const std::filesystem::path started = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    const ProgramFiles files = RunningProgramFiles();
    std::filesystem::current_path(started);
    EXPECT_EQ(std::filesystem::path(files.folder), std::filesystem::path(STELVADOR_PROGRAM_DIR));
    EXPECT_EQ(std::filesystem::path(files.readerFolder),
              std::filesystem::path(STELVADOR_PROGRAM_DIR));
}

}  // namespace
}  // namespace stelvador
