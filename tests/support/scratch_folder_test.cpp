#include "scratch_folder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace stelvador {
namespace {

namespace fs = std::filesystem;

// Two folders of one label, as two copies of the suite would ask for them, never meet; each is
// fresh and empty, and named after its label.
TEST(ScratchFolder, TwoOfOneLabelAreDistinctEmptyFolders) {
    const ScratchFolder first("Same/Label");
    const ScratchFolder second("Same/Label");
    EXPECT_NE(first.path(), second.path());
    for (const ScratchFolder* folder : {&first, &second}) {
        EXPECT_TRUE(fs::is_directory(folder->path()));
        EXPECT_TRUE(fs::is_empty(folder->path()));
        EXPECT_EQ(folder->path().parent_path(), fs::temp_directory_path());
        EXPECT_EQ(folder->path().filename().string().rfind("stelvador-Same_Label-", 0), 0u);
    }
}

TEST(ScratchFolder, GoesWithAllItHoldsAndToleratesHavingGoneAlready) {
    fs::path kept;
    {
        const ScratchFolder folder("removed");
        kept = folder.path();
        fs::create_directories(kept / "inner");
        std::ofstream(kept / "inner" / "file.txt") << "bytes";
    }
    EXPECT_FALSE(fs::exists(kept));
    {
        const ScratchFolder folder("gone");
        fs::remove_all(folder.path());
    }
}

// The folder is made in the temporary folder TMPDIR names, and a long test name does not make
// a file name too long to make.
TEST(ScratchFolder, HonoursTmpdirAndLongLabels) {
    const ScratchFolder outer("outer");
    const char* previous = std::getenv("TMPDIR");
    const std::string restore = previous != nullptr ? previous : "";
    setenv("TMPDIR", outer.path().c_str(), 1);
    const fs::path made = MakeScratchFolder(std::string(400, 'x'));
    if (previous != nullptr) {
        setenv("TMPDIR", restore.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
    EXPECT_EQ(made.parent_path(), outer.path());
    EXPECT_TRUE(fs::is_directory(made));
}

}  // namespace
}  // namespace stelvador
