// Runs launcher code against the real layer with a temporary medium mapped as drive D:, the
// launcher's module path pointing into it.
#pragma once

#include "kernel/module.h"
#include "kernel/paths.h"
#include "launch/setup_state.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <string>

class LaunchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string drives = "D=" + medium_.Path().string();
        std::string error;
        ASSERT_TRUE(w32::paths::LoadDrives(drives.c_str(), &error)) << error;
        State = SetupState{};
        State.Instance = GetModuleHandleA(nullptr);
    }
    void TearDown() override {
        w32::kernel::SetModulePathForTesting("");
        w32::paths::LoadDrives(nullptr, nullptr);
    }

    // Places the launcher's executable at a path below the medium (UTF-8 on disk).
    void PlaceLauncher(const std::string& relative) {
        medium_.Write(relative, "");
        w32::kernel::SetModulePathForTesting((medium_.Path() / relative).string());
    }

    testing_support::TempDir medium_;
};

// Text 30 in code page 950: a space and four Chinese characters.
inline const std::string kCaptionSuffix = " \xA6\x77\xB8\xCB\xB5\x7B\xA6\xA1";
