// Masks that list entries name by their file. Invariants: a layout drawn
// through its reference gives the columns LayoutMask gives for the same
// choices, and without choices those the layout dialog starts from; a file,
// cell or layer that is not there, or a layer that covers nothing, is
// refused with the part to blame and a reason naming the file; an entry
// that names a file develops through it (its folder that of the list),
// one that holds flags only as it always did, and one that holds both says
// which it used.
#include "Core/Operations/EntryParameters.h"
#include "Core/Operations/Photolithography/LayoutFile.h"
#include "Core/Operations/Photolithography/MaskFile.h"
#include "Core/Operations/Photolithography/PhotolithographyProcesses.h"

#include "LayoutWriter.h"
#include "TempFolder.h"

#include <QDir>
#include <QImage>

#include <gtest/gtest.h>

using namespace Core::Operations;
using Model::Automaton::CellMask;
using TestSupport::LayoutWriter;
using TestSupport::TempFolder;

namespace {

constexpr std::uint32_t Resist = 11;

// PAD: a 2 x 2 square on layer 2. TOP: a 4 x 2 box on layer 1, PAD placed
// at (6, 6), and a box on layer 40000/65535 at (0, 8). OTHER: nothing on
// layer 1, a square on layer 5.
QByteArray layout()
{
    LayoutWriter writer;
    writer.beginCell("PAD").polygon(2, 0, {{0, 0}, {2, 0}, {2, 2}, {0, 2}}).endCell();
    writer.beginCell("TOP")
        .polygon(1, 0, {{0, 0}, {4, 0}, {4, 2}, {0, 2}})
        .place("PAD", 6, 6)
        .polygon(40000, 65535, {{0, 8}, {2, 8}, {2, 10}, {0, 10}})
        .endCell();
    writer.beginCell("OTHER").polygon(5, 0, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}).endCell();
    return writer.finish();
}

std::set<std::pair<int, int>> covered(const CellMask &mask)
{
    std::set<std::pair<int, int>> cells;
    for (int x = 0; x < mask.width; ++x)
        for (int y = 0; y < mask.height; ++y)
            if (mask.bits[std::size_t(x * mask.height + y)])
                cells.insert({x, y});
    return cells;
}

std::set<std::pair<int, int>> block(int x0, int y0, int x1, int y1)
{
    std::set<std::pair<int, int>> cells;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            cells.insert({x, y});
    return cells;
}

class MaskFileTest : public ::testing::Test
{
protected:
    MaskFileTest() : path(folder.file(QStringLiteral("masks.gds")))
    {
        EXPECT_TRUE(TempFolder::write(path, layout()));
    }

    MaskSource chosen(const std::string &cell, unsigned layer, unsigned datatype = 0) const
    {
        MaskSource source;
        source.path = path;
        source.cell = cell;
        source.layerChosen = true;
        source.layer = {layer, datatype};
        source.placed = true;
        source.placement = {1.0, 0.0, 0.0};
        return source;
    }

    TempFolder folder;
    const QString path;
};

} // namespace

TEST_F(MaskFileTest, ChosenLayersAreDrawnOnTheVolumesColumnsAndDefaultsAreTheLayoutDialogs)
{
    CellMask mask;
    MaskFile::Refusal refusal;
    ASSERT_TRUE(MaskFile::draw(chosen("TOP", 1), 10, 10, &mask, &refusal)) << refusal.reason.toStdString();
    EXPECT_EQ(mask.width, 10);
    EXPECT_EQ(mask.height, 10);
    EXPECT_EQ(covered(mask), block(0, 0, 4, 2));
    ASSERT_TRUE(MaskFile::draw(chosen("TOP", 2), 10, 10, &mask, &refusal));
    EXPECT_EQ(covered(mask), block(6, 6, 8, 8)) << "placed cells are drawn";
    ASSERT_TRUE(MaskFile::draw(chosen("TOP", 40000, 65535), 10, 10, &mask, &refusal)) << refusal.reason.toStdString();
    EXPECT_EQ(covered(mask), block(0, 8, 2, 10)) << "the highest layer and datatype alone";

    // Offset and scale: half a layout unit per cell from (2, 0).
    MaskSource finer = chosen("TOP", 1);
    finer.placement = {0.5, 2.0, 0.0};
    ASSERT_TRUE(MaskFile::draw(finer, 10, 10, &mask, &refusal));
    EXPECT_EQ(covered(mask), block(0, 0, 4, 4));

    // Nothing chosen: the first top cell in name order, its first layer,
    // its bounding box (0..10 on both axes) fitted to the columns.
    MaskSource defaults;
    defaults.path = path;
    ASSERT_TRUE(MaskFile::draw(defaults, 5, 5, &mask, &refusal)) << refusal.reason.toStdString();
    EXPECT_EQ(covered(mask), block(0, 0, 5, 5)) << "OTHER comes first: its one square fills the columns";
    defaults.cell = "TOP";
    ASSERT_TRUE(MaskFile::draw(defaults, 5, 5, &mask, &refusal));
    EXPECT_EQ(covered(mask), block(0, 0, 2, 1)) << "layer 1/0 at two layout units per cell";

    // The drawing is LayoutMask's for the same choices.
    LayoutFile file;
    QString problem;
    ASSERT_TRUE(file.readFile(path, &problem));
    std::vector<LayoutMask::Polygon> polygons;
    ASSERT_TRUE(LayoutMask::polygons(file, "TOP", {2, 0}, polygons, &problem));
    ASSERT_TRUE(MaskFile::draw(chosen("TOP", 2), 10, 10, &mask, &refusal));
    EXPECT_EQ(mask.bits, LayoutMask::rasterise(polygons, 10, 10, {1.0, 0.0, 0.0}).bits);
}

TEST_F(MaskFileTest, ImagesAreReadAtTheirOwnSize)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(2, 0, qRgb(255, 0, 0));
    const QString png = folder.file(QStringLiteral("mask.png"));
    ASSERT_TRUE(image.save(png));
    EXPECT_FALSE(MaskFile::isLayout(png));
    EXPECT_TRUE(MaskFile::isLayout(path));
    EXPECT_TRUE(MaskFile::isLayout(folder.file(QStringLiteral("absent.GDS")))) << "by its name when unread";

    MaskSource source;
    source.path = png;
    CellMask mask;
    MaskFile::Refusal refusal;
    ASSERT_TRUE(MaskFile::draw(source, 40, 40, &mask, &refusal)) << refusal.reason.toStdString();
    EXPECT_EQ(mask.width, 3);
    EXPECT_EQ(mask.height, 2);
    EXPECT_EQ(covered(mask), (std::set<std::pair<int, int>>{{2, 1}})) << "top row, right column";
    EXPECT_EQ(MaskFile::describe(source), QDir::toNativeSeparators(png));
}

TEST_F(MaskFileTest, WhatIsNotThereIsRefusedWithThePartToBlameAndTheFile)
{
    struct Case
    {
        const char *what;
        MaskSource source;
        MaskFile::Part part;
        QString reason;
    };
    MaskSource gone = chosen("TOP", 1);
    gone.path = folder.file(QStringLiteral("gone.gds"));
    MaskSource text = chosen("TOP", 1);
    text.path = folder.file(QStringLiteral("notes.txt"));
    ASSERT_TRUE(TempFolder::write(text.path, "not a mask"));
    MaskSource cut = chosen("TOP", 1);
    cut.path = folder.file(QStringLiteral("cut.gds"));
    ASSERT_TRUE(TempFolder::write(cut.path, layout().left(40)));
    MaskSource far = chosen("TOP", 1);
    far.placement = {1.0, 100.0, 0.0};
    const QString shown = QDir::toNativeSeparators(path);
    const Case cases[] = {
        {"a missing file", gone, MaskFile::File,
         QDir::toNativeSeparators(gone.path) + QStringLiteral(" cannot be read: No such file or directory")},
        {"neither image nor layout", text, MaskFile::File,
         QDir::toNativeSeparators(text.path) + QStringLiteral(" cannot be read as a mask image or a layout file: ")},
        {"a damaged layout", cut, MaskFile::File,
         QDir::toNativeSeparators(cut.path) + QStringLiteral(" cannot be read as a layout file: the file ends ")},
        {"a missing cell", chosen("BEAM", 1), MaskFile::Cell,
         QStringLiteral("the layout %1 has no cell BEAM (it has OTHER, TOP, PAD)").arg(shown)},
        {"a missing layer", chosen("TOP", 7), MaskFile::Layer,
         QStringLiteral("cell TOP of %1 draws nothing on layer 7/0 (it draws on 1/0, 2/0, 40000/65535)").arg(shown)},
        {"a layer off the volume", far, MaskFile::Layer,
         QStringLiteral("layer 1/0 of cell TOP in %1 covers no cell centre of the 10 x 10 columns (units per cell "
                        "1, offset 100, 0)")
             .arg(shown)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        CellMask mask;
        MaskFile::Refusal refusal;
        EXPECT_FALSE(MaskFile::draw(c.source, 10, 10, &mask, &refusal));
        EXPECT_EQ(refusal.part, c.part);
        EXPECT_TRUE(refusal.reason.startsWith(c.reason)) << refusal.reason.toStdString();
    }

    // Before the volume is known only the file, cell and layer are checked.
    CellMask mask;
    MaskFile::Refusal refusal;
    EXPECT_TRUE(MaskFile::draw(far, 0, 0, &mask, &refusal));
    EXPECT_FALSE(MaskFile::draw(chosen("TOP", 7), 0, 0, &mask, &refusal));
}

// Entries as the batch engine reads them.
class MaskEntryTest : public MaskFileTest
{
protected:
    // Develops through `file` on top; holds `flags` (2 x 1) when given.
    static ParameterMap entry(const QString &file, const MaskVector &flags = {})
    {
        ParameterMap values{{QStringLiteral("MaterialId"), Resist},
                            {QStringLiteral("Top Mask File"), file},
                            {QStringLiteral("Bottom Mask"), QVariant::fromValue(MaskVector())},
                            {QStringLiteral("Bottom Mask Width"), 0u},
                            {QStringLiteral("Bottom Mask Height"), 0u}};
        if (!flags.empty()) {
            values[QStringLiteral("Top Mask")] = QVariant::fromValue(flags);
            values[QStringLiteral("Top Mask Width")] = 2u;
            values[QStringLiteral("Top Mask Height")] = unsigned(flags.size() / 2);
        }
        return values;
    }
    static ParameterMap layoutEntry(const QString &file, unsigned layer, const MaskVector &flags = {})
    {
        ParameterMap values = entry(file, flags);
        values[QStringLiteral("Top Mask Cell")] = QStringLiteral("TOP");
        values[QStringLiteral("Top Mask Layer")] = layer;
        values[QStringLiteral("Top Mask Datatype")] = 0u;
        values[QStringLiteral("Top Mask Units per Cell")] = 1.0;
        values[QStringLiteral("Top Mask Offset X")] = 0.0;
        values[QStringLiteral("Top Mask Offset Y")] = 0.0;
        return values;
    }

    // Reads `reader` (made on an entry) for a volume of columns x columns.
    PhotolithographyParameters read(EntryParameters &reader, unsigned columns = 10)
    {
        reader.setListFolder(folder.path());
        reader.setColumns(columns, columns);
        return photolithographyDescriptor().read(reader);
    }
};

TEST_F(MaskEntryTest, AnEntryNamingALayoutDrawsItForTheVolumeFromTheListsFolder)
{
    const ParameterMap values = layoutEntry(QStringLiteral("masks.gds"), 1);
    EntryParameters reader(values);
    const PhotolithographyParameters p = read(reader);
    ASSERT_TRUE(reader.complete()) << reader.problem().toStdString();
    EXPECT_EQ(covered(p.topMask), block(0, 0, 4, 2));
    EXPECT_TRUE(p.bottomMask.isEmpty());
    EXPECT_TRUE(reader.notes().isEmpty()) << "no flags to leave aside";

    // Elsewhere the same name is another file, or none.
    EntryParameters elsewhere(values);
    elsewhere.setListFolder(QDir(folder.path()).filePath(QStringLiteral("sub")));
    elsewhere.setColumns(10, 10);
    EXPECT_FALSE(photolithographyDescriptor().readEntry(elsewhere));
    EXPECT_TRUE(elsewhere.problem().startsWith(QStringLiteral("parameter \"Top Mask File\" cannot be used: ")))
        << elsewhere.problem().toStdString();
    EXPECT_TRUE(elsewhere.problem().contains(QStringLiteral("sub"))) << "the path tried";
}

TEST_F(MaskEntryTest, FlagsAloneRunAsBeforeAndNextToAFileTheFileDecidesAndSaysSo)
{
    const MaskVector flags{true, false};
    ParameterMap flagsOnly = entry(QString(), flags);
    EntryParameters plain(flagsOnly);
    EXPECT_EQ(read(plain).topMask.bits, flags);
    EXPECT_TRUE(plain.notes().isEmpty());

    const ParameterMap both = layoutEntry(QStringLiteral("masks.gds"), 2, flags);
    EntryParameters reader(both);
    const PhotolithographyParameters p = read(reader);
    ASSERT_TRUE(reader.complete()) << reader.problem().toStdString();
    EXPECT_EQ(covered(p.topMask), block(6, 6, 8, 8));
    ASSERT_EQ(reader.notes().size(), 1);
    EXPECT_TRUE(reader.notes().front().startsWith(QStringLiteral("the top mask is read from ")))
        << reader.notes().front().toStdString();
    EXPECT_TRUE(reader.notes().front().endsWith(QStringLiteral(
        ", cell TOP, layer 2/0, units per cell 1, offset 0, 0, not from the flags the entry also holds")))
        << reader.notes().front().toStdString();

    // Written before the layout's choices were kept: its name is only
    // what the flags were drawn from, and the flags are the mask.
    const ParameterMap older = entry(QStringLiteral("masks.gds"), flags);
    EntryParameters legacy(older);
    EXPECT_EQ(read(legacy).topMask.bits, flags);
    ASSERT_EQ(legacy.notes().size(), 1);
    EXPECT_TRUE(legacy.notes().front().contains(QStringLiteral("drawn from the flags the entry holds")));

    // Without flags, a layout without choices is drawn as the layout
    // dialog would start: here its first top cell fitted to the volume.
    const ParameterMap bare = entry(QStringLiteral("masks.gds"));
    EntryParameters defaults(bare);
    EXPECT_EQ(covered(read(defaults, 5).topMask), block(0, 0, 5, 5));
    EXPECT_TRUE(defaults.complete()) << defaults.problem().toStdString();
}

TEST_F(MaskEntryTest, ChoicesTheFileCannotHaveAreRefusedByName)
{
    QImage image(2, 2, QImage::Format_RGB32);
    image.fill(Qt::black);
    ASSERT_TRUE(image.save(folder.file(QStringLiteral("mask.png"))));
    const struct
    {
        ParameterMap values;
        const char *parameter;
    } refused[] = {
        {layoutEntry(QStringLiteral("mask.png"), 1), "Top Mask Cell"},
        {layoutEntry(QStringLiteral("masks.gds"), 9), "Top Mask Layer"},
        {layoutEntry(QStringLiteral("missing.gds"), 1), "Top Mask File"},
        {[] {
             ParameterMap values = layoutEntry(QStringLiteral("masks.gds"), 1);
             values[QStringLiteral("Top Mask Cell")] = QStringLiteral("NONE");
             return values;
         }(),
         "Top Mask Cell"},
        {[] {
             ParameterMap values = layoutEntry(QStringLiteral("masks.gds"), 1);
             values[QStringLiteral("Top Mask Units per Cell")] = 0.0;
             return values;
         }(),
         "Top Mask Units per Cell"},
    };
    for (const auto &c : refused) {
        SCOPED_TRACE(c.parameter);
        EntryParameters reader(c.values);
        reader.setListFolder(folder.path());
        reader.setColumns(10, 10);
        EXPECT_FALSE(photolithographyDescriptor().readEntry(reader));
        EXPECT_EQ(reader.status(), EntryParameters::NotConvertible);
        EXPECT_TRUE(reader.problem().startsWith(QStringLiteral("parameter \"%1\" cannot be used: ").arg(c.parameter)))
            << reader.problem().toStdString();
    }

    // An image named without choices is drawn at its size.
    const ParameterMap image2 = entry(QStringLiteral("mask.png"));
    EntryParameters reader(image2);
    const PhotolithographyParameters p = read(reader);
    ASSERT_TRUE(reader.complete()) << reader.problem().toStdString();
    EXPECT_EQ(covered(p.topMask), block(0, 0, 2, 2));
}
