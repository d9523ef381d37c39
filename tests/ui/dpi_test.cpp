#include "ui/dpi.h"

#include <gtest/gtest.h>

namespace tavrin {
namespace {

TEST(Dpi, ScalesTheCommonScreenFactorsAsMulDivRounds) {
    // 125 %, 150 % and 200 % of a few lengths the layout uses; odd lengths at 125 % and 150 % land on
    // halves and round away from zero.
    EXPECT_EQ(ScaleForDpi(16, 120), 20);
    EXPECT_EQ(ScaleForDpi(1, 120), 1);  // 1.25
    EXPECT_EQ(ScaleForDpi(2, 120), 3);  // 2.5
    EXPECT_EQ(ScaleForDpi(3, 144), 5);  // 4.5
    EXPECT_EQ(ScaleForDpi(-3, 144), -5);
    EXPECT_EQ(ScaleForDpi(800, 192), 1600);
    EXPECT_EQ(ScaleForDpi(600, 144), 900);
    EXPECT_EQ(ScaleForDpi(7, 96), 7);
    EXPECT_EQ(ScaleForDpi(7, 0), 7);
}

TEST(Dpi, LinesStayHairlinesUntilTheyCanDouble) {
    EXPECT_EQ(ScaleLineForDpi(1, 96), 1);
    EXPECT_EQ(ScaleLineForDpi(1, 120), 1);
    EXPECT_EQ(ScaleLineForDpi(1, 144), 1);
    EXPECT_EQ(ScaleLineForDpi(1, 192), 2);
    EXPECT_EQ(ScaleLineForDpi(2, 144), 3);
    EXPECT_EQ(ScaleLineForDpi(2, 120), 2);
    EXPECT_EQ(ScaleLineForDpi(0, 192), 1);
}

TEST(Dpi, UnscalingAScaledLengthGivesItBack) {
    for (const int dpi : {96, 120, 144, 168, 192, 288}) {
        for (int length = -500; length <= 500; ++length) {
            ASSERT_EQ(UnscaleForDpi(ScaleForDpi(length, dpi), dpi), length) << length << " at " << dpi;
        }
    }
}

}  // namespace
}  // namespace tavrin
