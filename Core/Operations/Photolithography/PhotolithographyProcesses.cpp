#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"

#include "Core/Operations/OperationId.h"
#include "Core/Operations/Photolithography/MaskFile.h"
#include "Core/Operations/Photolithography/Photolithography.h"
#include "Core/Operations/Photolithography/PhotolithographyOperation.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/Material.h"

#include <QDir>

#include <limits>

namespace Core {
namespace Operations {

namespace {

using Model::Automaton::CellMask;
using Model::Automaton::TotalVolume;
using Declarations = std::vector<ParameterDeclaration>;

// Layout files number their layers and datatypes in 16 bits.
constexpr double LayoutLayers = 65535;

// Reads by parameter names that are texts.
struct Key
{
    explicit Key(const QString &name) : bytes(name.toLatin1()) {}
    operator const char *() const { return bytes.constData(); }
    const QByteArray bytes;
};

// The flags with their size, then the file and the layout choices. A new
// file takes the place of the flags and of the choices made for the file
// before; a new choice that of the flags drawn with the old one.
void declareMask(Declarations &all, const MaskParameters &names)
{
    all.push_back({names.bits, ParameterType::Mask, ParameterDeclaration::Hidden, QVariant::fromValue(MaskVector()), {}});
    ParameterDeclaration file{names.file, ParameterType::Text, ParameterDeclaration::Shown, QVariant(QString()), {}};
    file.namesFile = true;
    file.outdates = names.drawn() + names.choices();
    all.push_back(file);
    all.push_back({names.layout, ParameterType::Text, ParameterDeclaration::Shown, QVariant(QString()), {}});
    all.push_back({names.height, ParameterType::UInt, ParameterDeclaration::Shown, QVariant(0u), {}});
    all.push_back({names.width, ParameterType::UInt, ParameterDeclaration::Shown, QVariant(0u), {}});

    std::vector<ParameterDeclaration> choices{
        {names.cell, ParameterType::Text, ParameterDeclaration::Shown, QVariant(QString()), {}},
        ParameterDeclaration{names.layer, ParameterType::UInt, ParameterDeclaration::Shown, QVariant(0u), {}}.within(
            0, LayoutLayers),
        ParameterDeclaration{names.datatype, ParameterType::UInt, ParameterDeclaration::Shown, QVariant(0u), {}}.within(
            0, LayoutLayers),
        ParameterDeclaration{names.unitsPerCell, ParameterType::Double, ParameterDeclaration::Shown, QVariant(1.0), {}}
            .above(0, std::numeric_limits<double>::infinity()),
        {names.offsetX, ParameterType::Double, ParameterDeclaration::Shown, QVariant(0.0), {}},
        {names.offsetY, ParameterType::Double, ParameterDeclaration::Shown, QVariant(0.0), {}},
    };
    for (ParameterDeclaration &choice : choices) {
        choice.outdates = names.drawn();
        choice.refines = names.file;
        all.push_back(choice);
    }
}

Declarations declarations()
{
    Declarations all = ParameterDeclaration::materialChoice();
    declareMask(all, MaskParameters::of(MaskParameters::Top));
    declareMask(all, MaskParameters::of(MaskParameters::Bottom));
    return all;
}

// Reads one mask with its size. Bits that do not fill the image exactly
// make the entry unusable: read as they are they would cover nothing and
// the development would remove all of the resist.
CellMask readMask(EntryParameters &reader, const MaskParameters &names)
{
    CellMask mask;
    std::uint32_t w = 0, h = 0;
    reader.read(Key(names.bits), mask.bits);
    reader.read(Key(names.width), w);
    reader.read(Key(names.height), h);
    if (!reader.complete())
        return CellMask();
    const auto limit = std::uint32_t(std::numeric_limits<int>::max());
    const bool fits = w <= limit && h <= limit && (w == 0) == (h == 0)
        && std::uint64_t(w) * h == std::uint64_t(mask.bits.size());
    if (!fits) {
        reader.refuse(Key(names.bits),
                      QStringLiteral("it holds %1 flags for a %2 x %3 mask").arg(mask.bits.size()).arg(w).arg(h));
        return CellMask();
    }
    mask.width = int(w);
    mask.height = int(h);
    return mask;
}

bool holdsAny(const EntryParameters &reader, const QStringList &names)
{
    for (const QString &name : names)
        if (reader.holds(Key(name)))
            return true;
    return false;
}

// The mask of one side: drawn from the file the entry names, when it names
// one, else the flags it holds. Lists written before layout choices were
// kept name the layout their flags were drawn from only for display: with
// the choices unknown, those flags are the mask.
CellMask readSide(EntryParameters &reader, MaskParameters::Side side)
{
    const MaskParameters &names = MaskParameters::of(side);
    QString file;
    if (reader.holds(Key(names.file)))
        reader.read(Key(names.file), file);
    if (!reader.complete())
        return CellMask();
    if (file.isEmpty())
        return readMask(reader, names);

    MaskSource source;
    source.path = reader.filePath(file);
    const bool layout = MaskFile::isLayout(source.path);
    const QVariant flags = reader.stored(Key(names.bits));
    const bool holdsFlags = flags.canConvert<MaskVector>() && !flags.value<MaskVector>().empty();
    const QString sideName = side == MaskParameters::Top ? QStringLiteral("top") : QStringLiteral("bottom");
    if (layout && holdsFlags && !holdsAny(reader, names.choices())) {
        reader.note(QStringLiteral("the %1 mask is drawn from the flags the entry holds: it names %2 without the "
                                   "cell, layer and placement they were drawn with")
                        .arg(sideName, QDir::toNativeSeparators(source.path)));
        return readMask(reader, names);
    }
    if (!layout) {
        for (const QString &choice : names.choices())
            if (reader.holds(Key(choice))) {
                reader.refuse(Key(choice), QStringLiteral("%1 is a mask image; only a layout file has cells, layers "
                                                          "and placements")
                                               .arg(QDir::toNativeSeparators(source.path)));
                return CellMask();
            }
    } else {
        QString cell;
        if (reader.holds(Key(names.cell)))
            reader.read(Key(names.cell), cell);
        source.cell = cell.toLatin1().toStdString();
        source.layerChosen = reader.holds(Key(names.layer)) || reader.holds(Key(names.datatype));
        if (reader.holds(Key(names.layer)))
            reader.read(Key(names.layer), source.layer.first);
        if (reader.holds(Key(names.datatype)))
            reader.read(Key(names.datatype), source.layer.second);
        source.placed = reader.holds(Key(names.unitsPerCell));
        if (source.placed) {
            reader.read(Key(names.unitsPerCell), source.placement.unitsPerCell);
            if (reader.holds(Key(names.offsetX)))
                reader.read(Key(names.offsetX), source.placement.offsetX);
            if (reader.holds(Key(names.offsetY)))
                reader.read(Key(names.offsetY), source.placement.offsetY);
        }
    }
    if (!reader.complete())
        return CellMask();

    CellMask mask;
    MaskFile::Refusal refusal;
    if (!MaskFile::draw(source, reader.columnsX(), reader.columnsY(), &mask, &refusal)) {
        const QString &blamed = refusal.part == MaskFile::Cell ? names.cell
            : refusal.part == MaskFile::Layer                  ? names.layer
                                                               : names.file;
        reader.refuse(Key(blamed), refusal.reason);
        return CellMask();
    }
    if (holdsFlags)
        reader.note(QStringLiteral("the %1 mask is read from %2, not from the flags the entry also holds")
                        .arg(sideName, MaskFile::describe(source)));
    return mask;
}

PhotolithographyParameters readEntry(EntryParameters &reader)
{
    PhotolithographyParameters parameters;
    reader.read("MaterialId", parameters.resist);
    parameters.topMask = readSide(reader, MaskParameters::Top);
    parameters.bottomMask = readSide(reader, MaskParameters::Bottom);
    return parameters;
}

bool develop(TotalVolume &volume, const PhotolithographyParameters &p, Interrupter *interrupter)
{
    if (!Photolithography(volume, p.resist, p.bottomMask, p.topMask, interrupter).runDevelopment())
        return false;
    // The masks laid over the volume for this development have done their work.
    volume.removeMasks();
    return true;
}

SiLatticeEffect resistEffect(const PhotolithographyParameters &p)
{
    return p.resist == Model::Materials::SiliconId ? OutdatesSiLattice : LeavesSiLattice;
}

} // namespace

MaskParameters::MaskParameters(const QString &side)
    : bits(side + QStringLiteral(" Mask"))
    , file(bits + QStringLiteral(" File"))
    , layout(bits + QStringLiteral(" Layout"))
    , height(bits + QStringLiteral(" Height"))
    , width(bits + QStringLiteral(" Width"))
    , cell(bits + QStringLiteral(" Cell"))
    , layer(bits + QStringLiteral(" Layer"))
    , datatype(bits + QStringLiteral(" Datatype"))
    , unitsPerCell(bits + QStringLiteral(" Units per Cell"))
    , offsetX(bits + QStringLiteral(" Offset X"))
    , offsetY(bits + QStringLiteral(" Offset Y"))
{
}

const MaskParameters &MaskParameters::of(Side side)
{
    static const MaskParameters top(QStringLiteral("Top")), bottom(QStringLiteral("Bottom"));
    return side == Top ? top : bottom;
}

const ProcessKind<PhotolithographyParameters> &photolithographyDescriptor()
{
    static const ProcessKind<PhotolithographyParameters> descriptor(
        {PhotolithographyId, "Photolithography", "Photolithography", "Photolithography",
         {BatchType::Photolithography, "Photolithography", "Photolithography", 6}},
        declarations(),
        {readEntry, develop, resistEffect, nullptr, [](const PhotolithographyParameters &p) { return p.resist; }},
        makeOperation<PhotolithographyOperation>);
    return descriptor;
}

} // namespace Operations
} // namespace Core
