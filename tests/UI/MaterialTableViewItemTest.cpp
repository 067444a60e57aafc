#include "UI/MaterialTableViewItem.h"

#include <QColor>

#include <gtest/gtest.h>

using Model::Materials::Colour;
using Model::Materials::Material;
using Ui::MaterialTableViewItem;

namespace {

std::vector<Material> catalogueWithIds(std::initializer_list<unsigned> ids)
{
    std::vector<Material> materials;
    for (unsigned id : ids)
        materials.emplace_back(id, QString("M%1").arg(id), 1.0f, 2.0f, 0.3f, Colour{1.0f, 0.5f, 0.0f, 1.0f});
    return materials;
}

} // namespace

TEST(MaterialTableViewItem, ShowsIdNameAndColourColumns)
{
    MaterialTableViewItem model(catalogueWithIds({1, 3}));
    EXPECT_EQ(model.rowCount(), 2);
    EXPECT_EQ(model.columnCount(), 3);
    EXPECT_EQ(model.data(model.index(1, 0)).toUInt(), 3u);
    EXPECT_EQ(model.data(model.index(1, 1)).toString(), "M3");
    EXPECT_EQ(model.data(model.index(0, 2)).value<QColor>(), QColor(255, 127, 0, 255));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::EditRole).toString(), "M1") << "editors start with the name";
    EXPECT_EQ(model.data(model.index(0, 2), Qt::EditRole), model.data(model.index(0, 2)));
    EXPECT_FALSE(model.data(model.index(0, 1), Qt::ToolTipRole).isValid());
}

TEST(MaterialTableViewItem, HeadersNameSixColumnsAndNumberRowsFromOne)
{
    MaterialTableViewItem model(catalogueWithIds({1}));
    const QStringList expected = {"Material Id", "Material Name", "Color", "Density", "Young Modulus",
                                  "Poisson Ratio", "Column 6"};
    for (int section = 0; section < expected.size(); ++section)
        EXPECT_EQ(model.headerData(section, Qt::Horizontal).toString(), expected[section]);
    EXPECT_EQ(model.headerData(0, Qt::Vertical).toString(), "1");
    EXPECT_FALSE(model.headerData(0, Qt::Horizontal, Qt::ToolTipRole).isValid());
}

TEST(MaterialTableViewItem, OnlyNameAndColourAreEditable)
{
    MaterialTableViewItem model(catalogueWithIds({1}));
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 2)) & Qt::ItemIsEditable);

    EXPECT_FALSE(model.setData(model.index(0, 0), 99));
    EXPECT_EQ(model.materials()[0].id(), 1u);
    EXPECT_FALSE(model.setData(model.index(0, 1), "Display", Qt::DisplayRole));

    EXPECT_TRUE(model.setData(model.index(0, 1), "Oxide"));
    EXPECT_TRUE(model.setData(model.index(0, 2), QColor(0, 51, 255, 128)));
    EXPECT_EQ(model.materials()[0].name(), "Oxide");
    EXPECT_EQ(model.materials()[0].colour(), (Colour{0.0f, 0.2f, 1.0f, 128.0f / 255.0f}));
    EXPECT_TRUE(model.setData(model.index(0, 2), QString("#ff0000")));
    EXPECT_EQ(model.materials()[0].colour(), (Colour{1.0f, 0.0f, 0.0f, 1.0f}));
}

TEST(MaterialTableViewItem, BlankNamesAreRefusedAndTheRowKeepsItsName)
{
    MaterialTableViewItem model(catalogueWithIds({1, 3}));
    QStringList refused;
    QObject::connect(&model, &MaterialTableViewItem::nameRefused,
                     [&refused](const QString &kept) { refused << kept; });
    int changes = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&changes] { ++changes; });
    for (const QString &blank : {QString(), QString(""), QString("   "), QString("\t\n")})
        EXPECT_FALSE(model.setData(model.index(0, 1), blank)) << qPrintable(blank);
    EXPECT_EQ(model.materials()[0].name(), "M1");
    EXPECT_EQ(refused, (QStringList{"M1", "M1", "M1", "M1"}));
    EXPECT_EQ(changes, 0);

    EXPECT_TRUE(model.setData(model.index(1, 1), " Oxide "));
    EXPECT_EQ(model.materials()[1].name(), " Oxide ") << "a name with text is taken as typed";
    EXPECT_EQ(refused.size(), 4);
}

TEST(MaterialTableViewItem, NewRowsTakeTheSmallestFreeIdFromThree)
{
    std::vector<Material> defaults = catalogueWithIds({1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16});
    MaterialTableViewItem model(defaults);
    ASSERT_TRUE(model.insertRows(0, 1));
    ASSERT_TRUE(model.insertRows(0, 1));
    ASSERT_EQ(model.rowCount(), 17);
    EXPECT_EQ(model.materials()[15].id(), 17u) << "appended at the end whatever row was asked";
    EXPECT_EQ(model.materials()[16].id(), 18u);
    const Material &added = model.materials()[15];
    EXPECT_EQ(added.name(), "New Material");
    EXPECT_EQ(added.density(), 1.0f);
    EXPECT_EQ(added.colour(), (Colour{0.5f, 0.5f, 0.5f, 1.0f}));

    MaterialTableViewItem sparse(catalogueWithIds({1, 4, 5}));
    sparse.insertRows(0, 2);
    EXPECT_EQ(sparse.materials()[3].id(), 3u);
    EXPECT_EQ(sparse.materials()[4].id(), 6u);
}

TEST(MaterialTableViewItem, ColumnsAndRowsCannotBeRemoved)
{
    MaterialTableViewItem model(catalogueWithIds({1}));
    EXPECT_FALSE(model.insertColumns(0, 1));
    EXPECT_FALSE(model.removeColumns(0, 1));
    EXPECT_FALSE(model.removeRows(0, 1));
    EXPECT_EQ(model.rowCount(), 1);
}
