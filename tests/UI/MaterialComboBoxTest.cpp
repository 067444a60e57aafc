#include "UI/MaterialComboBox.h"

#include <QComboBox>
#include <QImage>

#include <gtest/gtest.h>

using Model::Materials::Colour;
using Model::Materials::Material;

TEST(MaterialComboBox, ItemsCarrySwatchNameAndId)
{
    QComboBox box;
    Ui::MaterialComboBox::fill(&box, {Material(1, "Si", 1, 1, 1, Colour{0.5f, 0.5f, 0.5f, 1.0f}),
                                      Material(40000, "Odd", 1, 1, 1, Colour{1.0f, 0.0f, 0.2f, 1.0f}),
                                      Material(7, "Clear", 1, 1, 1, Colour{1.0f, 1.0f, 1.0f, 0.5f})});
    ASSERT_EQ(box.count(), 3);
    EXPECT_EQ(box.itemText(1), "Odd");
    EXPECT_EQ(box.itemData(1).toUInt(), 40000u);
    const QImage swatch = box.itemIcon(1).pixmap(100, 100).toImage();
    EXPECT_EQ(swatch.size(), QSize(100, 100));
    EXPECT_EQ(swatch.pixelColor(50, 50), QColor(255, 0, 51, 255));
    EXPECT_EQ(box.itemIcon(2).pixmap(100, 100).toImage().pixelColor(0, 99).alpha(), 127);

    EXPECT_EQ(Ui::MaterialComboBox::selectedMaterialId(&box), 1u);
    EXPECT_TRUE(Ui::MaterialComboBox::selectMaterial(&box, 40000));
    EXPECT_EQ(Ui::MaterialComboBox::selectedMaterialId(&box), 40000u);
    EXPECT_FALSE(Ui::MaterialComboBox::selectMaterial(&box, 2));
}

TEST(MaterialComboBox, EmptyListReadsAsNoMaterial)
{
    QComboBox box;
    Ui::MaterialComboBox::fill(&box, {});
    EXPECT_EQ(Ui::MaterialComboBox::selectedMaterialId(&box), 0u);
}
