#include "UI/ViewProperties.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cmath>

using Ui::ViewProperties;

TEST(ViewProperties, OpensOnTheRequestedTabWithTheLamps)
{
    ViewProperties view(nullptr, 2, 2, 1);
    EXPECT_EQ(view.windowTitle(), "Set vew and lighting");
    EXPECT_EQ(view.findChild<QTabWidget *>()->currentIndex(), 1);
    auto *lamps = view.findChild<QComboBox *>("cbxLamps");
    ASSERT_EQ(lamps->count(), 2);
    EXPECT_EQ(lamps->itemText(1), "Lamp2");
    EXPECT_EQ(view.currentLamp(), 2u);
    EXPECT_EQ(view.findChild<QDoubleSpinBox *>("dblZoom")->value(), 100.0);
}

TEST(ViewProperties, FieldsWriteIntoTheCurrentLampInRadians)
{
    ViewProperties view(nullptr, 1, 1, 1);
    view.setLamp(1, 300, 0.5f, 0.25f, true);
    EXPECT_NEAR(view.findChild<QDoubleSpinBox *>("dblTheta")->value(), 0.5 * 180 / M_PI, 0.01);
    EXPECT_FLOAT_EQ(view.lamp(1).azimuth, 0.5f) << "showing a lamp keeps its exact angles";
    view.findChild<QDoubleSpinBox *>("dblPhi")->setValue(90);
    view.findChild<QDoubleSpinBox *>("dblRadius")->setValue(150);
    EXPECT_NEAR(view.lamp(1).elevation, M_PI / 2, 1e-6);
    EXPECT_EQ(view.lamp(1).radius, 150.0f);
}

TEST(ViewProperties, LampsAreAddedUpToEightAndDeletedDownToOne)
{
    ViewProperties view(nullptr, 1, 1, 1);
    auto *add = view.findChild<QPushButton *>("btnAddLamp");
    auto *remove = view.findChild<QPushButton *>("btnDeleteLamp");
    EXPECT_FALSE(remove->isEnabled());
    view.addLamp();
    EXPECT_EQ(view.lampCount(), 2u);
    EXPECT_EQ(view.currentLamp(), 2u) << "the new lamp is made current";
    EXPECT_TRUE(view.lamp(2).visible);
    for (int i = 0; i < 10; ++i)
        view.addLamp();
    EXPECT_EQ(view.lampCount(), 8u) << "the view has eight lights";
    EXPECT_FALSE(add->isEnabled());

    view.setLamp(3, 33, 0, 0, true);
    view.findChild<QComboBox *>("cbxLamps")->setCurrentIndex(1);
    view.deleteLamp();
    EXPECT_EQ(view.lampCount(), 7u);
    EXPECT_EQ(view.lamp(2).radius, 33.0f) << "later lamps move down";
    EXPECT_EQ(view.findChild<QComboBox *>("cbxLamps")->count(), 7);
    while (view.lampCount() > 1)
        view.deleteLamp();
    view.deleteLamp();
    EXPECT_EQ(view.lampCount(), 1u);
}
