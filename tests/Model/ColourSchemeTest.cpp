#include "Model/Automaton/TotalVolume.h"
#include "Model/ColourScheme.h"

#include <gtest/gtest.h>

using Model::ColourScheme;
using Util::Vector4D;

class ColourSchemeTest : public ::testing::Test
{
protected:
    void TearDown() override { ColourScheme::restoreDefaults(); }
};

TEST_F(ColourSchemeTest, StartsWithTheThreeSchemes)
{
    EXPECT_EQ(ColourScheme::currentScheme(), 0);
    EXPECT_EQ(ColourScheme::colour(ColourScheme::ObjectColour, 0), Vector4D(0, 0, 0, 1));
    EXPECT_EQ(ColourScheme::colour(ColourScheme::ObjectColour, 1), Vector4D(1, 1, 1, 1));
    EXPECT_EQ(ColourScheme::colour(ColourScheme::ObjectColour, 2), Vector4D(1, 0, 0, 1));
    EXPECT_EQ(ColourScheme::colour(ColourScheme::OutlineColour, 0), Vector4D(1, 1, 1, 1));
    EXPECT_EQ(ColourScheme::colour(ColourScheme::OutlineColour, 1), Vector4D(0, 0, 0, 1));
    for (int scheme = 0; scheme < 3; ++scheme)
        EXPECT_EQ(ColourScheme::colour(ColourScheme::GridColour, scheme), Vector4D(0.4, 0.4, 0.4, 1));
    EXPECT_EQ(ColourScheme::colour(ColourScheme::BackgroundColour, 0), Vector4D(0, 0, 0, 0));
    EXPECT_EQ(ColourScheme::colour(ColourScheme::BackgroundColour, 1), Vector4D(1, 1, 1, 0));
}

TEST_F(ColourSchemeTest, NewObjectsTakeSchemeZeroWhateverIsCurrent)
{
    ColourScheme::setCurrentScheme(ColourScheme::LowScheme);
    ColourScheme::setColour(ColourScheme::ObjectColour, 0, Vector4D(0.5, 0.25, 0, 1));
    Model::Automaton::TotalVolume volume(1, 1, 1, 1, 1, 1, Util::Vector3D(), {0});
    EXPECT_EQ(volume.colour(), Vector4D(0.5, 0.25, 0, 1));
    EXPECT_EQ(volume.outlineColour(), Util::Vector3D(1, 1, 1, 1));
}

TEST_F(ColourSchemeTest, OutOfRangeKindsAndSchemesAreIgnored)
{
    ColourScheme::setCurrentScheme(7);
    EXPECT_EQ(ColourScheme::currentScheme(), 0);
    ColourScheme::setColour(9, 0, Vector4D(1));
    EXPECT_EQ(ColourScheme::colour(9, 0), Vector4D());
    EXPECT_EQ(ColourScheme::colour(0, -1), Vector4D());
}
