// Material choices of list entries follow the catalogue: a name or an id
// given for one makes all three of its parameters the catalogue's material;
// a name or id the catalogue lacks changes nothing and says so.
#include "UI/BatchRun/MaterialChoice.h"

#include "Model/Materials/MaterialFactory.h"
#include "UI/BatchRun/ProcessData.h"

#include "TempFolder.h"

#include <QColor>

#include <gtest/gtest.h>

using Core::Operations::ParameterDeclaration;
using Ui::MaterialChoice;
using Ui::ProcessData;

namespace {

class MaterialChoiceTest : public ::testing::Test
{
protected:
    MaterialChoiceTest() : catalogue(folder.path()) { catalogue.loadDefaultMaterials(); }

    // A doping entry whose doped material is N-doped silicon.
    static ProcessData doping()
    {
        ProcessData entry(ProcessData::Doping);
        entry.setParameter(QStringLiteral("Doping Depth"), 1.0f);
        MaterialChoice::set(entry, ParameterDeclaration::materialChoiceNames(QStringLiteral("Doped")),
                            Model::Materials::Material(14, QStringLiteral("N-doped Si (100)"), 2329, 1.88e11f, 0.28f,
                                                       {1, 1, 0.67f, 1}));
        entry.setParameter(QStringLiteral("Doped Material_Color"), QColor(255, 255, 170), false);
        return entry;
    }

    TestSupport::TempFolder folder;
    Model::Materials::MaterialFactory catalogue;
};

} // namespace

TEST_F(MaterialChoiceTest, ANameOrAnIdGivenMakesTheWholeChoiceTheCatalogueMaterial)
{
    QString problem;
    ProcessData byName = doping();
    ASSERT_TRUE(MaterialChoice::settle(byName, QStringLiteral("Doped Material"), QStringLiteral("P-doped Si (100)"),
                                       catalogue, &problem));
    EXPECT_EQ(byName.parameter(QStringLiteral("Doped Material")).toString(), QStringLiteral("P-doped Si (100)"));
    EXPECT_EQ(byName.parameter(QStringLiteral("DopedMaterialId")).toUInt(), 15u);
    EXPECT_EQ(byName.parameter(QStringLiteral("Doped Material_Color")).value<QColor>(), QColor(170, 170, 255));
    EXPECT_FALSE(byName.isVisible(QStringLiteral("Doped Material_Color"))) << "shown or hidden as before";

    ProcessData byId = doping();
    ASSERT_TRUE(MaterialChoice::settle(byId, QStringLiteral("DopedMaterialId"), QStringLiteral("16"), catalogue, &problem));
    EXPECT_EQ(byId.parameter(QStringLiteral("DopedMaterialId")).toUInt(), 16u);
    EXPECT_EQ(byId.parameter(QStringLiteral("Doped Material")).toString(), QStringLiteral("Poly-Si"));
    EXPECT_EQ(byId.parameter(QStringLiteral("Doped Material_Color")).value<QColor>(), QColor(76, 127, 102));

    // The colour is for display only, and other parameters are no choice.
    ProcessData colour = doping();
    colour.setParameter(QStringLiteral("Doped Material_Color"), QColor(Qt::red));
    EXPECT_TRUE(MaterialChoice::settle(colour, QStringLiteral("Doped Material_Color"), QStringLiteral("#ff0000"),
                                       catalogue, &problem));
    EXPECT_TRUE(MaterialChoice::settle(colour, QStringLiteral("Doping Depth"), QStringLiteral("2"), catalogue, &problem));
    EXPECT_EQ(colour.parameters(), [&] {
        ProcessData expected = doping();
        expected.setParameter(QStringLiteral("Doped Material_Color"), QColor(Qt::red));
        return expected.parameters();
    }());
}

TEST_F(MaterialChoiceTest, NamesAndIdsTheCatalogueLacksAreRefusedWithWhatItHas)
{
    struct Case
    {
        const char *parameter;
        const char *value;
        const char *problem;
    };
    const Case cases[] = {
        {"Doped Material", "Unobtainium", "the material catalogue has no material named \"Unobtainium\" "
                                          "(it has: Si, Thermal Si02, Al (bulk), "},
        {"Doped Material", "si", "no material named \"si\""},
        {"DopedMaterialId", "999", "the material catalogue has no material 999"},
        {"DopedMaterialId", "0", "the material catalogue has no material 0"},
    };
    for (const Case &c : cases) {
        ProcessData entry = doping();
        const auto given = entry.parameters();
        QString problem;
        EXPECT_FALSE(MaterialChoice::settle(entry, QLatin1String(c.parameter), QLatin1String(c.value), catalogue,
                                            &problem))
            << c.problem;
        EXPECT_TRUE(problem.contains(QLatin1String(c.problem))) << problem.toStdString();
        EXPECT_EQ(entry.parameters(), given) << c.problem;
    }
}
