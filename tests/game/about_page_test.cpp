// "About" on a desktop with and without a program that opens web pages.
#include "game/about_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "platform/headless/headless.h"
#include "services/debug_log.h"

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
        std::random_device random;
        folder_ = fs::temp_directory_path() / ("stalkway-about-" + std::to_string(random()));
        fs::create_directories(folder_);
        previous_ = fs::current_path();
        fs::current_path(folder_);
        platform::headless::Reset();
        platform::headless::SetDriver(&driver_);
    }
    void TearDown() override {
        platform::headless::SetDriver(nullptr);
        platform::headless::Reset();
        g_nDebugLog = 0;
        fs::current_path(previous_);
        fs::remove_all(folder_);
    }

    std::string Page() const { return (folder_ / "about.html").string(); }
    std::string DebugLogText() const {
        std::ifstream in(folder_ / "debug.log");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    OpenedFiles driver_;
    fs::path folder_;
    fs::path previous_;
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
