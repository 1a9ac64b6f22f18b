// Tests that need the display's DirectDraw object (QZGetLPDD) bring the display up here.
#pragma once

#include <gtest/gtest.h>

#include "platform/qz/qz.h"

class WithDisplay : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(QZInitDirectX(nullptr, 800, 600), 0); }
    void TearDown() override { QZFreeDirectX(); }
};
