// Test main for tests that need a QApplication: windows are tested for real, headless.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "scratch_folder.h"

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    // Without a session's runtime folder Qt makes one in the temporary folder and leaves it
    // there: this run gets one of its own instead, removed at the end.
    std::filesystem::path runtimeFolder;
    if (std::getenv("XDG_RUNTIME_DIR") == nullptr) {
        runtimeFolder = stelvador::MakeScratchFolder("qt_runtime");
        setenv("XDG_RUNTIME_DIR", runtimeFolder.c_str(), 1);
    }
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    if (!runtimeFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(runtimeFolder, ignored);
    }
    return result;
}
