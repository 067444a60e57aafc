#include "Util/Vector3D.h"
#include "Util/Vector4D.h"

#include <gtest/gtest.h>

using Util::Vector3D;
using Util::Vector4D;

TEST(Vector, IndexAnyOtherThanXyzReachesW)
{
    Vector4D v(1, 2, 3, 4);
    EXPECT_EQ(v[0], 1);
    EXPECT_EQ(v[1], 2);
    EXPECT_EQ(v[2], 3);
    EXPECT_EQ(v[3], 4);
    EXPECT_EQ(v[-1], 4);
    EXPECT_EQ(v[17], 4);
    v[9] = 7;
    EXPECT_EQ(v.w, 7);

    Vector3D p(5, 6, 7);
    p[42] = 1.5;
    EXPECT_EQ(p.w, 1.5);
}

TEST(Vector, DefaultZeroAndSingleValueFillsAllFour)
{
    EXPECT_EQ(Vector4D(), Vector4D(0, 0, 0, 0));
    EXPECT_EQ(Vector4D(2.5), Vector4D(2.5, 2.5, 2.5, 2.5));
    EXPECT_EQ(Vector3D(2.5), Vector3D(2.5, 2.5, 2.5, 2.5));
}

TEST(Vector, ConversionsCopyAllFourComponents)
{
    const Vector4D colour(0.1, 0.2, 0.3, 0.4);
    const Vector3D asPoint(colour);
    EXPECT_EQ(asPoint.w, 0.4);
    const Vector4D back(asPoint);
    EXPECT_EQ(back, colour);
}

TEST(Vector, AdditionIsComponentWiseIncludingW)
{
    Vector3D position(1, 2, 3, 1);
    position += Vector3D(-1, 0.5, 10, 1);
    EXPECT_EQ(position, Vector3D(0, 2.5, 13, 2));

    Vector4D d(1, 1, 1, 1);
    d *= -2;
    EXPECT_EQ(d, Vector4D(-2, -2, -2, -2));
}
