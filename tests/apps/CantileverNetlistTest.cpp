// The cantilever model checked the way a designer would: its resonance,
// 1/(2π√(LC)) of the netlist's own values, against the Euler-Bernoulli first
// mode of a beam of the same size and material, and the files run through
// ngspice with a sinusoidal drive, as a deck and included as a subcircuit,
// whose response peaks there.
#include "AnchoredBeam.h"
#include "BatchProgramRun.h"
#include "TempFolder.h"

#include "Core/Operations/Documents/DocumentFiles.h"
#include "Core/Operations/OperationContext.h"
#include "Model/Automaton/TotalVolume.h"
#include "Model/Materials/MaterialFactory.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <boost/make_shared.hpp>

#include <gtest/gtest.h>

#include <cmath>

using TestSupport::BatchProgramRun;
using TestSupport::TempFolder;

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr std::uint32_t Silicon = 1, Nickel = 7, PolySilicon = 16;

// The first bending mode of a clamped-free beam, from its length, width and
// thickness in metres and the catalogue's constants of its material.
double eulerBernoulli(double length, double width, double thickness, std::uint32_t material)
{
    const auto m = Model::Materials::MaterialFactory::getInstance()->getMaterial(material);
    const double areaMoment = width * thickness * thickness * thickness / 12.0;
    const double lambda = 1.875104;
    return lambda * lambda / (2 * Pi * length * length)
        * std::sqrt(double(m.youngModulus()) * areaMoment / (double(m.density()) * width * thickness));
}

// The value of element `name` ("c1", "l1") in a netlist; 0 when missing.
double element(const QString &netlist, const QString &name)
{
    const QRegularExpression line(QStringLiteral("(^|\\n)%1 \\S+ \\S+ (\\S+)").arg(name));
    const QRegularExpressionMatch match = line.match(netlist);
    return match.hasMatch() ? match.captured(2).toDouble() : 0.0;
}

double lcResonance(const QString &netlist, int beam = 1)
{
    const double c = element(netlist, QStringLiteral("c%1").arg(beam));
    const double l = element(netlist, QStringLiteral("l%1").arg(beam));
    return 1.0 / (2 * Pi * std::sqrt(l * c));
}

class CantileverNetlistTest : public ::testing::Test
{
protected:
    // Writes a document holding `volume` as the start of a run.
    QString startDocument(const boost::shared_ptr<Model::Automaton::TotalVolume> &volume)
    {
        Core::Operations::OperationContext context;
        context.document().addObject(volume);
        const QString path = folder.file(QStringLiteral("start.cvx"));
        EXPECT_TRUE(Core::Operations::DocumentFiles::save(path, context).ok);
        return path;
    }

    // Runs the batch program and returns the netlist it wrote.
    QString netlist(const QStringList &arguments, const QString &file = QStringLiteral("beam.cir"))
    {
        const BatchProgramRun result = BatchProgramRun::start(folder.path(), arguments + QStringList{
                                                                                 QStringLiteral("--netlist"), file});
        ran = result;
        EXPECT_FALSE(result.crashed) << result.err.toStdString();
        return QString::fromUtf8(TempFolder::read(folder.file(file)));
    }

    QString emptyList()
    {
        const QString path = folder.file(QStringLiteral("empty.plst"));
        TempFolder::write(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Process-List>\n</Process-List>\n");
        return path;
    }

    // Drives node 1 of `circuit` (a deck whose ".end" line is replaced, or
    // lines that include a subcircuit) with a sinusoidal current and
    // returns the frequency where its voltage peaks, from ngspice's own
    // sweep of 2000 points a decade around `near`.
    double ngspicePeak(const QString &circuit, double near)
    {
        const QString ngspice = QStandardPaths::findExecutable(QStringLiteral("ngspice"));
        if (ngspice.isEmpty()) {
            ADD_FAILURE() << "ngspice is missing: install Debian's ngspice, as ./setup.sh test does";
            return 0;
        }
        const QString data = folder.file(QStringLiteral("sweep.txt"));
        QFile::remove(data);
        const QString drive = QStringLiteral(
                                  "I1 0 1 DC 0 AC 1\nR1 1 0 1e12\n.ac dec 2000 %1 %2\n.control\nrun\n"
                                  "wrdata %3 vm(1)\nquit\n.endc\n.end\n")
                                  .arg(near / 10)
                                  .arg(near * 10)
                                  .arg(data);
        const QString deck = folder.file(QStringLiteral("drive.cir"));
        TempFolder::write(deck, (circuit + drive).toUtf8());
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(ngspice, {QStringLiteral("-b"), deck});
        EXPECT_TRUE(process.waitForFinished(120000));
        const QString output = QString::fromLocal8Bit(process.readAllStandardOutput() + process.readAllStandardError());
        EXPECT_FALSE(output.contains(QStringLiteral("Error"), Qt::CaseInsensitive)) << output.toStdString();
        QFile sweep(data);
        if (!sweep.open(QIODevice::ReadOnly | QIODevice::Text)) {
            ADD_FAILURE() << "ngspice wrote no sweep:\n" << output.toStdString();
            return 0;
        }
        // Rows of frequency and magnitude.
        double peak = 0, best = -1;
        int rows = 0;
        for (const QByteArray &row : sweep.readAll().split('\n')) {
            const QList<QByteArray> columns = row.simplified().split(' ');
            if (columns.size() < 2)
                continue;
            ++rows;
            if (columns[1].toDouble() > best) {
                best = columns[1].toDouble();
                peak = columns[0].toDouble();
            }
        }
        EXPECT_GT(rows, 2000) << "a sweep of two decades";
        return peak;
    }

    // The deck as a simulator runs it, with the drive in place of its
    // ".end" line.
    static QString withoutEnd(const QString &deck)
    {
        QString circuit = deck;
        const int end = circuit.lastIndexOf(QStringLiteral(".end \n"));
        EXPECT_GE(end, 0) << deck.toStdString();
        return circuit.left(end);
    }

    TempFolder folder;
    BatchProgramRun ran;
};

} // namespace

// The shipped cantilever flow: a 36 x 8 x 3-cell polysilicon beam in the
// default unit. Its netlist resonates within 5 % of the beam's first mode,
// and ngspice finds the peak where the file's own values put it, running
// the file as a deck and as an included subcircuit.
TEST_F(CantileverNetlistTest, TheSampleCantileverResonatesAsItsBeamAndNgspiceAgrees)
{
    const QString list = TestSupport::exampleList("cantilever/cantilever.plst");
    const QString deck = netlist({list, QStringLiteral("-o"), QStringLiteral("beam.cvx")});
    ASSERT_TRUE(deck.startsWith(QStringLiteral("Model extracted by Tessival\n"))) << ran.err.toStdString();
    const double edge = std::cbrt(2.00129819772e-17);
    const double expected = eulerBernoulli(36 * edge, 8 * edge, 3 * edge, PolySilicon);
    const double lc = lcResonance(deck);
    EXPECT_NEAR(lc, expected, 0.05 * expected) << deck.toStdString();
    EXPECT_TRUE(ran.err.contains(QRegularExpression(QStringLiteral(
        "beam 1: Poly-Si, 97.74\\d* µm x 21.72\\d* µm x 8.145\\d* µm \\(length x width x thickness\\), "
        "effective mass [0-9.e+-]+ kg, stiffness [0-9.e+-]+ N/m, first resonance [0-9.e+-]+ Hz"))))
        << ran.err.toStdString();

    EXPECT_NEAR(ngspicePeak(withoutEnd(deck), lc), lc, 0.005 * lc) << "the deck";

    const QString sub = netlist({list, QStringLiteral("-o"), QStringLiteral("sub.cvx"), QStringLiteral("--netlist-subckt"),
                                 QStringLiteral("beams")},
                                QStringLiteral("beams.cir"));
    ASSERT_TRUE(sub.contains(QStringLiteral("\n.subckt beams 1\n"))) << sub.toStdString() << ran.err.toStdString();
    EXPECT_DOUBLE_EQ(lcResonance(sub), lc);
    const double included =
        ngspicePeak(QStringLiteral("* a circuit around the beam\n.include beams.cir\nX1 1 beams\n"), lc);
    EXPECT_NEAR(included, lc, 0.005 * lc) << "the subcircuit";
}

// A nickel beam of the default unit, and a polysilicon beam of cells 0.5 x 1
// x 2 units long in a unit of 1 µm: each resonates within 5 % of its first
// mode, lengths taken in metres along each axis.
TEST_F(CantileverNetlistTest, OtherMaterialsCellSizesAndUnitsResonateAsTheirBeams)
{
    // An Si anchor at x < 8 and a beam of 8 x 3 x 2 cells from it.
    std::vector<std::uint32_t> nickel = TestSupport::anchoredBeam();
    for (std::uint32_t &m : nickel)
        m = m == 4 ? Nickel : m;
    startDocument(boost::make_shared<Model::Automaton::TotalVolume>(20, 5, 6, 1.0f, 1.0f, 1.0f, Util::Vector3D(),
                                                                      nickel));
    const QString deck = netlist({emptyList(), QStringLiteral("-i"), QStringLiteral("start.cvx"),
                                  QStringLiteral("-o"), QStringLiteral("nickel.cvx")});
    const double edge = std::cbrt(2.00129819772e-17);
    const double nickelMode = eulerBernoulli(8 * edge, 3 * edge, 2 * edge, Nickel);
    EXPECT_NEAR(lcResonance(deck), nickelMode, 0.05 * nickelMode) << deck.toStdString() << ran.err.toStdString();

    std::vector<std::uint32_t> poly = TestSupport::anchoredBeam();
    for (std::uint32_t &m : poly)
        m = m == 4 ? PolySilicon : m;
    startDocument(boost::make_shared<Model::Automaton::TotalVolume>(20, 5, 6, 0.5f, 1.0f, 2.0f, Util::Vector3D(),
                                                                      poly));
    const QString micron = netlist({emptyList(), QStringLiteral("-i"), QStringLiteral("start.cvx"),
                                    QStringLiteral("-o"), QStringLiteral("poly.cvx"), QStringLiteral("--length-unit"),
                                    QStringLiteral("1um")},
                                   QStringLiteral("poly.cir"));
    const double polyMode = eulerBernoulli(8 * 0.5e-6, 3 * 1e-6, 2 * 2e-6, PolySilicon);
    EXPECT_NEAR(lcResonance(micron), polyMode, 0.05 * polyMode) << micron.toStdString() << ran.err.toStdString();
    EXPECT_TRUE(ran.err.contains(QString::fromUtf8("Poly-Si, 4 µm x 3 µm x 4 µm"))) << ran.err.toStdString();

    // The written document keeps the unit it was given.
    Core::Operations::OperationContext reopened;
    ASSERT_TRUE(Core::Operations::DocumentFiles::open(folder.file(QStringLiteral("poly.cvx")), reopened).ok);
    EXPECT_DOUBLE_EQ(reopened.document().lengthUnit().metres(), 1e-6);
}

TEST_F(CantileverNetlistTest, UnitsAndSubcircuitNamesThatCannotBeUsedAreRefused)
{
    const QString list = emptyList();
    const struct
    {
        QStringList arguments;
        const char *message;
    } cases[] = {
        {{QStringLiteral("--length-unit"), QStringLiteral("ten")}, "--length-unit needs a length such as 1um"},
        {{QStringLiteral("--length-unit"), QStringLiteral("-1um")}, "--length-unit needs a length such as 1um"},
        {{QStringLiteral("--netlist"), QStringLiteral("a.cir"), QStringLiteral("--netlist-subckt"),
          QStringLiteral("two words")},
         "--netlist-subckt needs a name of letters, digits and _"},
        {{QStringLiteral("--netlist-subckt"), QStringLiteral("beams")}, "give --netlist FILE too"},
    };
    for (const auto &c : cases) {
        const BatchProgramRun result = BatchProgramRun::start(
            folder.path(), QStringList{list, QStringLiteral("-o"), QStringLiteral("out.cvx")} + c.arguments);
        EXPECT_EQ(result.exitCode, 2) << c.message;
        EXPECT_TRUE(result.err.contains(QLatin1String(c.message))) << result.err.toStdString();
    }
}
