// The process descriptors and their registry. Invariants checked:
// - every process list type keeps the shown name, add choice and place the
//   lists have always given it, whether a descriptor, the batch engine or a
//   process still to come holds the row;
// - a descriptor is found by its operation id and its list type, and the
//   factory builds its operation with its title and id;
// - an entry of a descriptor's declared parameters reads complete, and
//   every parameter a run needs is declared: leaving one out names it;
// - a number outside its parameter's declared range, and material 0, make
//   the entry unusable with the parameter named.
#include "Core/Operations/EntryParameters.h"
#include "Core/Operations/OperationContext.h"
#include "Core/Operations/OperationFactory.h"
#include "Core/Operations/OperationId.h"
#include "Core/Operations/ProcessDescriptor.h"
#include "Core/Operations/ProcessOperation.h"
#include "Core/Operations/ProcessRegistry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <set>

using namespace Core::Operations;

namespace {

// A value of the declared type, where no default is declared.
QVariant sample(ParameterType type)
{
    switch (type) {
    case ParameterType::Bool: return QVariant(false);
    case ParameterType::Int: return QVariant(1);
    case ParameterType::UInt: return QVariant(1u);
    case ParameterType::Float: return QVariant(1.0f);
    case ParameterType::Double: return QVariant(1.0);
    case ParameterType::Text: return QVariant(QStringLiteral("Si"));
    case ParameterType::Vector3D: return QVariant::fromValue(Util::Vector3D());
    case ParameterType::Mask: return QVariant::fromValue(MaskVector{true});
    case ParameterType::Colour: return QVariant(); // display only; no colour type without Qt GUI
    }
    return QVariant();
}

int metaType(ParameterType type)
{
    switch (type) {
    case ParameterType::Bool: return QMetaType::Bool;
    case ParameterType::Int: return QMetaType::Int;
    case ParameterType::UInt: return QMetaType::UInt;
    case ParameterType::Float: return QMetaType::Float;
    case ParameterType::Double: return QMetaType::Double;
    case ParameterType::Text: return QMetaType::QString;
    case ParameterType::Colour: return QMetaType::QColor;
    case ParameterType::Vector3D: return qMetaTypeId<Util::Vector3D>();
    case ParameterType::Mask: return qMetaTypeId<MaskVector>();
    }
    return QMetaType::UnknownType;
}

ParameterMap declaredEntry(const ProcessDescriptor &process)
{
    ParameterMap entry;
    for (const ParameterDeclaration &parameter : process.parameters()) {
        const QVariant value = parameter.defaultValue.isValid() ? parameter.defaultValue : sample(parameter.type);
        if (value.isValid())
            entry[parameter.name] = value;
    }
    return entry;
}

} // namespace

TEST(ProcessRegistry, ProcessListTypesKeepTheirNamesAndAddChoices)
{
    struct Row { const char *shown, *choice; int position; };
    const Row rows[] = {
        {"Photolithography", "Photolithography", 6}, {"Si wet etching", "Si Wet Etching", 8},
        {"Moore deposition", "Moore Deposition", 4}, {"Moore etching", "Moore Etching", 5},
        {"CVD", "CVD", 1},                           {"Isotropic etching", "Isotropic Etching", 3},
        {"Planarization", "Planarization", 7},       {"Electroplating", "Electroplating", 9},
        {"Doping", "Doping", 10},                    {"Spin Coating", "Spin Coating", 12},
        {"Save Image", "Save Image", 16},            {"Create Substrate", "Create Substrate", 15},
        {"PVD", "PVD", 2},                           {"Simple RIE", "Simple RIE", 13},
        {"Ion Implantation", "Ion Implantation", 11}, {"Si Oxidation", "Thermal Oxidation", 14},
    };
    ASSERT_EQ(ProcessRegistry::batchKinds().size(), std::size(rows));
    for (int type = 0; type < int(std::size(rows)); ++type) {
        const BatchEntryKind *kind = ProcessRegistry::batchKind(type);
        ASSERT_TRUE(kind) << type;
        EXPECT_EQ(kind->type, type);
        EXPECT_STREQ(kind->shownName, rows[type].shown) << type;
        EXPECT_STREQ(kind->addChoice, rows[type].choice) << type;
        EXPECT_EQ(kind->addPosition, rows[type].position) << type;
        EXPECT_EQ(&ProcessRegistry::batchKinds()[std::size_t(type)], kind) << "rows in type order";
    }
    EXPECT_FALSE(ProcessRegistry::batchKind(BatchType::Unknown));
    EXPECT_FALSE(ProcessRegistry::batchKind(BatchEntryKind::NoEntry));
    EXPECT_FALSE(ProcessRegistry::forBatchType(BatchEntryKind::NoEntry));
}

TEST(ProcessRegistry, DescriptorsAreFoundByIdAndTypeAndBuildTheirOperations)
{
    OperationContext context;
    OperationFactory factory(&context);
    std::set<int> ids, types;
    for (const ProcessDescriptor *process : ProcessRegistry::descriptors()) {
        SCOPED_TRACE(process->title());
        EXPECT_TRUE(ids.insert(process->operationId()).second) << "one descriptor per operation id";
        EXPECT_EQ(ProcessRegistry::forOperation(process->operationId()), process);
        if (process->hasBatchEntry()) {
            EXPECT_TRUE(types.insert(process->batchKind().type).second) << "one descriptor per list type";
            EXPECT_EQ(ProcessRegistry::forBatchType(process->batchKind().type), process);
        }
        EXPECT_TRUE(OperationFactory::builds(unsigned(process->operationId())));
        const auto operation = boost::dynamic_pointer_cast<ProcessOperation>(
            factory.createOperation(unsigned(process->operationId())));
        ASSERT_TRUE(operation);
        EXPECT_EQ(&operation->descriptor(), process);
        EXPECT_EQ(operation->title(), process->title());
        EXPECT_EQ(operation->operationId(), process->operationId());
    }
    EXPECT_EQ(ProcessRegistry::forOperation(IsotropicDepositionId)->batchKind().type, int(BatchType::Cvd));
    EXPECT_EQ(ProcessRegistry::forBatchType(BatchType::SiWetEtching)->operationId(), int(AtomisticWetEtchingId));
    EXPECT_FALSE(ProcessRegistry::forOperation(ChangeVisualizationOptionsId)) << "no process step";
    EXPECT_TRUE(OperationFactory::builds(ChangeVisualizationOptionsId));
    EXPECT_TRUE(OperationFactory::builds(CreateSubstrateId));
}

TEST(ProcessDescriptors, DeclaredParametersMakeACompleteEntryAndEachNeededOneIsNamedWhenMissing)
{
    for (const ProcessDescriptor *process : ProcessRegistry::descriptors()) {
        SCOPED_TRACE(process->title());
        std::set<QString> names;
        for (const ParameterDeclaration &parameter : process->parameters()) {
            EXPECT_TRUE(names.insert(parameter.name).second) << parameter.name.toStdString();
            if (parameter.defaultValue.isValid()) {
                EXPECT_EQ(parameter.defaultValue.userType(), metaType(parameter.type)) << parameter.name.toStdString();
            }
        }
        const ParameterMap entry = declaredEntry(*process);
        EntryParameters complete(entry);
        EXPECT_TRUE(process->readEntry(complete)) << complete.problem().toStdString();

        int needed = 0;
        for (const ParameterDeclaration &parameter : process->parameters()) {
            ParameterMap without = entry;
            if (without.erase(parameter.name) == 0)
                continue;
            EntryParameters reader(without);
            if (process->readEntry(reader))
                continue; // shown in the list only
            ++needed;
            EXPECT_EQ(reader.status(), EntryParameters::Missing);
            EXPECT_EQ(reader.problem(), QStringLiteral("parameter \"%1\" is missing").arg(parameter.name));
        }
        EXPECT_GT(needed, 0);
    }
}

TEST(ParameterDeclaration, MaterialChoicesAndVisibilityThatFollowsAFlag)
{
    const auto plain = ParameterDeclaration::materialChoice();
    ASSERT_EQ(plain.size(), 3u);
    EXPECT_EQ(plain[0].name, "MaterialId");
    EXPECT_EQ(plain[1].name, "Material");
    EXPECT_EQ(plain[2].name, "Material_Color");
    const auto doped = ParameterDeclaration::materialChoice(QStringLiteral("Doped"), true);
    EXPECT_EQ(doped[0].name, "DopedMaterialId");
    EXPECT_EQ(doped[1].name, "Doped Material");
    EXPECT_EQ(doped[2].name, "Doped Material_Color");

    const ParameterMap none;
    const ParameterMap sphere{{QStringLiteral("SphericalSubstrate"), true}};
    const ParameterMap box{{QStringLiteral("SphericalSubstrate"), false}};
    EXPECT_TRUE(doped[0].isShownIn(none));
    EXPECT_FALSE(plain[0].isShownIn(sphere));
    EXPECT_TRUE(plain[1].isShownIn(sphere));
    const ParameterDeclaration radius{QStringLiteral("Substrate Radius"), ParameterType::UInt,
                                      ParameterDeclaration::ShownWhen, QVariant(50u),
                                      QStringLiteral("SphericalSubstrate")};
    ParameterDeclaration width = radius;
    width.visibility = ParameterDeclaration::HiddenWhen;
    EXPECT_TRUE(radius.isShownIn(sphere));
    EXPECT_FALSE(radius.isShownIn(box));
    EXPECT_FALSE(radius.isShownIn(none)) << "an absent flag counts as false";
    EXPECT_FALSE(width.isShownIn(sphere));
    EXPECT_TRUE(width.isShownIn(box));
}

// Values no process can mean, as a list or --set gives them: each entry is
// refused by the parameter's name instead of running as zero or worse (a
// negative pressure oxidizes the whole volume, a doped material 0 empties
// the silicon it should dope).
TEST(ProcessDescriptors, ValuesNoProcessCanMeanAreRefusedByName)
{
    struct Case
    {
        int operation;
        const char *name;
        QVariant value;
        // Set first, where the value matters only in one mode.
        std::vector<std::pair<const char *, QVariant>> also;
    };
    const Case cases[] = {
        {IsotropicDepositionId, "Thickness", -1.0, {}},
        {IsotropicDepositionId, "Thickness", 1e300, {}},
        {AnisotropicDepositionId, "Thickness", -1.0, {}},
        {AnisotropicDepositionId, "Horizontal to Vertical Ratio", 0.0, {}},
        {IsotropicEtchingId, "Depth", -0.5, {}},
        {ElectrodepositionId, "Film Thickness", -2.0, {}},
        {DopingId, "Doping Depth", -1.0f, {}},
        {IonImplantationId, "Implantation Depth", -1.0f, {}},
        {IonImplantationId, "Annealing Distance", -1.0f, {}},
        {SimpleReactiveIonEtchingId, "Etch Depth", -3, {}},
        {SimpleReactiveIonEtchingId, "Etch Depth", 0u, {}},
        {MooreDepositionId, "Thickness", 0u, {}},
        {MooreEtchingId, "Depth", 0u, {}},
        {AtomisticWetEtchingId, "Depth", -1.0, {}},
        {SiOxidationId, "Oxidation Thickness", -1.0, {}},
        {SiOxidationId, "Micron Conversion", 0.0, {}},
        {SiOxidationId, "Oxidation Pressure", -1.0, {{"OxidationTimeSet", true}}},
        {SiOxidationId, "Oxidation Pressure", 0.0, {{"OxidationTimeSet", true}}},
        {SiOxidationId, "Oxidation Temperature", -300.0, {{"OxidationTimeSet", true}}},
        {SiOxidationId, "Oxidation Temperature", 0.0, {{"OxidationTimeSet", true}}},
        {SiOxidationId, "Oxidation Time", -2.0, {{"OxidationTimeSet", true}}},
        {PlanarizationId, "Minimum Height", 6u, {{"Maximum Height", 5u}}},
    };
    for (const Case &c : cases) {
        const ProcessDescriptor *process = ProcessRegistry::forOperation(c.operation);
        ASSERT_TRUE(process) << c.operation;
        SCOPED_TRACE(std::string(process->title()) + ": " + c.name + " = " + c.value.toString().toStdString());
        ParameterMap entry = declaredEntry(*process);
        for (const auto &other : c.also)
            entry[QLatin1String(other.first)] = other.second;
        EntryParameters fine(entry);
        EXPECT_TRUE(process->readEntry(fine)) << fine.problem().toStdString();
        entry[QLatin1String(c.name)] = c.value;
        EntryParameters reader(entry);
        EXPECT_FALSE(process->readEntry(reader));
        EXPECT_EQ(reader.status(), EntryParameters::NotConvertible);
        EXPECT_TRUE(reader.problem().startsWith(QStringLiteral("parameter \"%1\" cannot be used: ").arg(c.name)))
            << reader.problem().toStdString();
    }

    // Material 0 is the empty cell: no step deposits, etches, develops,
    // pours or dopes it.
    int choices = 0;
    for (const ProcessDescriptor *process : ProcessRegistry::descriptors()) {
        for (const ParameterDeclaration &parameter : process->parameters()) {
            if (!parameter.name.endsWith(QStringLiteral("MaterialId")))
                continue;
            SCOPED_TRACE(std::string(process->title()) + ": " + parameter.name.toStdString());
            ++choices;
            ParameterMap entry = declaredEntry(*process);
            entry[parameter.name] = 0u;
            EntryParameters reader(entry);
            EXPECT_FALSE(process->readEntry(reader));
            EXPECT_EQ(reader.problem(),
                      QStringLiteral("parameter \"%1\" cannot be used: \"0\" is no material (0 is the empty cell)")
                          .arg(parameter.name));
        }
    }
    EXPECT_EQ(choices, 12);
}

TEST(ParameterDeclaration, RangesIncludeTheirEndsAsDeclaredAndNoNonFiniteNumber)
{
    const ParameterDeclaration plain{QStringLiteral("Thickness"), ParameterType::Double, ParameterDeclaration::Shown,
                                     QVariant(1.0), {}};
    EXPECT_TRUE(plain.refusal(-1e300, QStringLiteral("-1e300")).isEmpty()) << "no range declared";

    const ParameterDeclaration closed = plain.within(0.0, 2.0);
    EXPECT_TRUE(closed.refusal(0.0, QStringLiteral("0")).isEmpty());
    EXPECT_TRUE(closed.refusal(2.0, QStringLiteral("2")).isEmpty());
    EXPECT_EQ(closed.refusal(-0.001, QStringLiteral("-0.001")), QStringLiteral("\"-0.001\" is not from 0 to 2"));
    EXPECT_FALSE(closed.refusal(2.5, QStringLiteral("2.5")).isEmpty());
    EXPECT_FALSE(closed.refusal(std::nan(""), QStringLiteral("nan")).isEmpty());

    const ParameterDeclaration open = plain.above(0.0, 1e9);
    EXPECT_EQ(open.refusal(0.0, QStringLiteral("0")), QStringLiteral("\"0\" is not above 0 and up to 1000000000"));
    EXPECT_TRUE(open.refusal(1e-9, QStringLiteral("1e-09")).isEmpty());
    EXPECT_FALSE(open.refusal(std::numeric_limits<double>::infinity(), QStringLiteral("inf")).isEmpty());
    EXPECT_EQ(open.refusal(QVariant(QStringLiteral("not a number"))), QString()) << "left to the type check";
    EXPECT_EQ(open.refusal(QVariant(-2.5f)), QStringLiteral("\"-2.5\" is not above 0 and up to 1000000000"));
}

TEST(ParameterDeclaration, EachParameterOfAMaterialChoiceNamesItsChoice)
{
    ParameterDeclaration::MaterialChoiceNames names;
    for (const QString &role : {QString(), QStringLiteral("Doped"), QStringLiteral("Conducting")}) {
        for (const ParameterDeclaration &parameter : ParameterDeclaration::materialChoice(role)) {
            ASSERT_TRUE(ParameterDeclaration::materialChoiceOf(parameter.name, &names)) << parameter.name.toStdString();
            const ParameterDeclaration::MaterialChoiceNames expected = ParameterDeclaration::materialChoiceNames(role);
            EXPECT_EQ(names.id, expected.id);
            EXPECT_EQ(names.name, expected.name);
            EXPECT_EQ(names.colour, expected.colour);
        }
    }
    for (const char *other : {"Thickness", "Top Mask File", " Material", "MaterialIds", "Material Color", "Deposit On"})
        EXPECT_FALSE(ParameterDeclaration::materialChoiceOf(QLatin1String(other), &names)) << other;
}
