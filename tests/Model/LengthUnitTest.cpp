// The length of a world unit: what --length-unit and the units dialog take,
// and how lengths are shown on scale bars and in reports.
#include "Model/LengthUnit.h"

#include <gtest/gtest.h>

#include <cmath>

using Model::LengthUnit;

TEST(LengthUnit, ReadsANumberAndAPrefixAndRefusesWhatIsNoLength)
{
    const std::pair<const char *, double> good[] = {
        {"1um", 1e-6}, {"2.5 nm", 2.5e-9}, {"mm", 1e-3}, {"m", 1.0}, {"1e-6m", 1e-6},
        {"3µm", 3e-6}, {" 0.5 um ", 0.5e-6},
    };
    for (const auto &entry : good) {
        LengthUnit unit(1.0);
        ASSERT_TRUE(LengthUnit::parse(QString::fromUtf8(entry.first), &unit)) << entry.first;
        EXPECT_DOUBLE_EQ(unit.metres(), entry.second) << entry.first;
    }
    for (const char *bad : {"", "1", "um1", "1 km", "-1um", "0um", "nan m", "inf m", "1e300 m", "1e-20 m", "1 u m"}) {
        LengthUnit unit(2e-6);
        EXPECT_FALSE(LengthUnit::parse(QString::fromUtf8(bad), &unit)) << bad;
        EXPECT_DOUBLE_EQ(unit.metres(), 2e-6) << "left as it was: " << bad;
    }
}

TEST(LengthUnit, ShowsLengthsWithThePrefixThatFits)
{
    const LengthUnit micron(1e-6);
    EXPECT_EQ(micron.format(20), QString::fromUtf8("20 µm"));
    EXPECT_EQ(micron.format(1500), "1.5 mm");
    EXPECT_EQ(micron.format(0.25), "250 nm");
    EXPECT_EQ(LengthUnit(1.0).format(3), "3 m");
    EXPECT_EQ(LengthUnit().toString(), QString::fromUtf8("2.715 µm"));

    // What toString writes, parse reads back.
    LengthUnit back(1.0);
    ASSERT_TRUE(LengthUnit::parse(LengthUnit(2.5e-9).toString(), &back));
    EXPECT_DOUBLE_EQ(back.metres(), 2.5e-9);
}

TEST(LengthUnit, TheDefaultKeepsTheCellVolumeOfEarlierDocuments)
{
    EXPECT_TRUE(LengthUnit().isDefault());
    EXPECT_NEAR(std::pow(LengthUnit().metres(), 3), 2.00129819772e-17, 1e-30);
    EXPECT_TRUE(LengthUnit(-1.0).isDefault()) << "a length that is none is not taken";
    EXPECT_TRUE(LengthUnit(std::nan("")).isDefault());
}
