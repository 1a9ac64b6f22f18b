// Tests that need the display's DirectDraw object (QZGetLPDD) bring up a headless window and a
// windowed display in the desktop's format, which `DesktopBits()` chooses.
#pragma once

#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/api/qz.h"
#include "platform/api/win32.h"

class WithDisplay : public ::testing::Test {
protected:
    virtual int DesktopBits() const { return 16; }

    void SetUp() override {
        platform::headless::Reset();
        platform::headless::SetDesktopBits(DesktopBits());
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.lpszClassName = "Display Test";
        ASSERT_NE(RegisterClassA(&wc), 0);
        window_ = CreateWindowExA(0, "Display Test", "", 0, 0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        ASSERT_NE(QZInitDirectX(window_, 800, 600), 0);
        ASSERT_NE(QZGetLPDD(), nullptr);
    }

    void TearDown() override {
        QZFreeDirectX();
        DestroyWindow(window_);
        platform::headless::Reset();
    }

private:
    HWND window_ = nullptr;
};
