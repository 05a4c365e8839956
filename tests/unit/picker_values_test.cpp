#include "scheduler/schedule/picker_values.h"

#include <gtest/gtest.h>

namespace {

TEST(PickerValuesTest, DatesAreCheckedAgainstTheLengthOfTheirMonth) {
    EXPECT_TRUE(IsPickerDate(2030, 4, 30));
    EXPECT_FALSE(IsPickerDate(2030, 4, 31));
    EXPECT_TRUE(IsPickerDate(2030, 12, 31));
    EXPECT_FALSE(IsPickerDate(2030, 12, 32));
    EXPECT_TRUE(IsPickerDate(2027, 2, 28));
    EXPECT_FALSE(IsPickerDate(2027, 2, 29));
    EXPECT_TRUE(IsPickerDate(2028, 2, 29));   // leap year
    EXPECT_FALSE(IsPickerDate(1900, 2, 29));  // a century is not a leap year...
    EXPECT_TRUE(IsPickerDate(2000, 2, 29));   // ...unless it divides by 400
    EXPECT_FALSE(IsPickerDate(2028, 2, 30));
}

TEST(PickerValuesTest, DatesOutsideThePickersRangeOrNeverGivenAreRefused) {
    EXPECT_FALSE(IsPickerDate(0, 0, 0));  // an item that was never given a date
    EXPECT_FALSE(IsPickerDate(2030, 0, 1));
    EXPECT_FALSE(IsPickerDate(2030, 13, 1));
    EXPECT_FALSE(IsPickerDate(2030, 1, 0));
    EXPECT_FALSE(IsPickerDate(2030, 1, -1));
    EXPECT_FALSE(IsPickerDate(1751, 12, 31));
    EXPECT_TRUE(IsPickerDate(1752, 1, 1));
    EXPECT_TRUE(IsPickerDate(9999, 12, 31));
    EXPECT_FALSE(IsPickerDate(10000, 1, 1));
    EXPECT_FALSE(IsPickerDate(2030, 1, 2147483647));
}

TEST(PickerValuesTest, TimesStayWithinTheDay) {
    EXPECT_TRUE(IsPickerTime(0, 0, 0));
    EXPECT_TRUE(IsPickerTime(23, 59, 59));
    EXPECT_FALSE(IsPickerTime(24, 0, 0));
    EXPECT_FALSE(IsPickerTime(12, 60, 0));
    EXPECT_FALSE(IsPickerTime(12, 0, 60));
    EXPECT_FALSE(IsPickerTime(-1, 0, 0));
}

}  // namespace
