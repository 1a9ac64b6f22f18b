// "About" on a desktop with and without a program that opens web pages.
#include "game/about_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "services/debug_log.h"
#include "support/scratch_dir.h"

namespace {

namespace fs = std::filesystem;

class OpenedFiles : public platform::headless::Driver {
public:
    void OnShellExecute(const char* verb, const char* file, const char*, const char*) override {
        opened += std::string(verb) + " " + file + "\n";
    }
    std::string opened;
};

class AboutPage : public ::testing::Test {
protected:
    void SetUp() override {
        platform::headless::Reset();
        platform::headless::SetDriver(&driver_);
    }
    void TearDown() override {
        platform::headless::SetDriver(nullptr);
        platform::headless::Reset();
        g_nDebugLog = 0;
    }

    std::string Page() const { return (folder_ / "about.html").string(); }
    std::string DebugLogText() const {
        std::ifstream in(folder_ / "debug.log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    OpenedFiles driver_;
    ScratchDir scratch_;
    fs::path folder_{scratch_.Path()};
    WorkingDir here_{scratch_.Path()};
};

TEST_F(AboutPage, AnOpenerGetsThePageAndNothingIsPrinted) {
    testing::internal::CaptureStderr();
    OpenAboutPage();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(driver_.opened, "open " + Page() + "\n");
}

TEST_F(AboutPage, WithoutAnOpenerThePathGoesToStandardErrorAndTheDebugLog) {
    platform::headless::FailPrograms(true);
    g_nDebugLog = 1;
    testing::internal::CaptureStderr();
    OpenAboutPage();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "stalkway: no program opened the about page; it is " + Page() + "\n");
    EXPECT_EQ(driver_.opened, "open " + Page() + "\n");
    EXPECT_NE(DebugLogText().find(Page()), std::string::npos) << DebugLogText();
}

}  // namespace
