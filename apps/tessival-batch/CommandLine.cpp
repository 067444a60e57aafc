#include "apps/tessival-batch/CommandLine.h"

#include "Model/Export/StepSeries.h"
#include "Model/Export/VolumeExport.h"

#include <QDir>
#include <QFileInfo>

#include <QRegularExpression>

namespace BatchTool {

QString CommandLine::usage()
{
    return QStringLiteral(
        "Usage: tessival-batch LIST.plst -o RESULT.cvx [-i START.cvx] [--length-unit UNIT]\n"
        "                      [--netlist FILE [--netlist-subckt NAME]]\n"
        "                      [--export FILE]... [--export-materials NAMES]\n"
        "                      [--section AXIS=INDEX FILE.png]... [--series DIR]\n"
        "                      [--report FILE.json]\n"
        "                      [--set N:NAME=VALUE]... [--threads N] [--verbose]\n"
        "\n"
        "Runs every entry of a process list on one cell volume, without questions,\n"
        "and writes the resulting document.\n"
        "\n"
        "  LIST.plst             the process list to run (\"Process List (*.plst)\")\n"
        "  -o, --output FILE     the document to write (\"Tessival file (*.cvx)\"); an\n"
        "                        older file of that name is replaced only by a complete\n"
        "                        new one\n"
        "  -i, --input FILE      start from the first cell volume of this document;\n"
        "                        without it the run starts from an empty document and\n"
        "                        the list has to begin with \"Create Substrate\"\n"
        "  --length-unit UNIT    how long a world unit (a cell of size 1) is: a number\n"
        "                        and m, mm, um or nm (1um, 2.5nm); the document keeps\n"
        "                        it, and netlists, exports and sections give lengths\n"
        "                        in it (default: the start document's, else 2.715 um)\n"
        "  --netlist FILE        also extract the cantilevers of the resulting cell\n"
        "                        volume and write them as a circuit netlist (\"Circuit\n"
        "                        files *.cir\"): each beam's effective mass (kg) as a\n"
        "                        capacitor and its compliance (m/N) as an inductor; each\n"
        "                        beam is also reported on stderr\n"
        "  --netlist-subckt NAME write the netlist as a subcircuit NAME with one port\n"
        "                        per beam, to include into a larger circuit\n"
        "  --export FILE         also export the resulting cell volume, by the file's\n"
        "                        extension: *.vti the cells as VTK image data; *.vtu\n"
        "                        (VTK) or *.msh (gmsh 4.1, with a physical group per\n"
        "                        material, pair of touching materials and outer\n"
        "                        boundary) the cells as a hexahedral mesh; *.vtp, *.stl\n"
        "                        or *.obj (with its *.mtl) one closed surface per\n"
        "                        material, and an *.stl also each material alone as\n"
        "                        FILE-MATERIAL.stl; may be repeated\n"
        "  --export-materials NAMES\n"
        "                        export only these materials, given by catalogue name\n"
        "                        or id and separated by commas (Si,Poly-Si); the cells\n"
        "                        of the others are left out as if empty\n"
        "  --section AXIS=INDEX FILE.png\n"
        "                        also draw the cells of one plane of the resulting cell\n"
        "                        volume, x=40 the plane of cells with x index 40 (from\n"
        "                        0), with a legend and a scale bar; may be repeated\n"
        "  --series DIR          also write the cell volume after each entry as\n"
        "                        DIR/step-NNN-PROCESS.vti (NNN the entry's number) and\n"
        "                        DIR/flow.pvd, which viewers open as a time series with\n"
        "                        the entry number as time; DIR is made if missing\n"
        "  --report FILE.json    also write what the run did and made, to compare runs\n"
        "                        without opening them: per entry its duration and the\n"
        "                        cells each material gained and lost; per material of\n"
        "                        the resulting volume its cells, volume, extent and\n"
        "                        the lowest and highest top of its columns (lengths in\n"
        "                        the document's length unit); the cantilevers with\n"
        "                        --netlist; written with the document (exit status 0\n"
        "                        or 1); its keys: run-report.schema.json\n"
        "  --set N:NAME=VALUE    run entry N (from 1) with its parameter NAME set to\n"
        "                        VALUE, read as the type the list stores it with and\n"
        "                        within the range its process takes; a material is\n"
        "                        given by its catalogue name (Material=Si) or its id\n"
        "                        (MaterialId=1); a mask file (\"Top Mask File=a.gds\",\n"
        "                        taken from the current folder) replaces the mask the\n"
        "                        entry holds; the list file is not changed; may be\n"
        "                        repeated\n"
        "  --threads N           worker threads for the processes (default: one per core)\n"
        "  -v, --verbose         also print the debug log\n"
        "  -h, --help            show this text\n"
        "\n"
        "Entries run in list order; an entry that cannot run (a missing or unusable\n"
        "parameter, a process this version does not have) is reported and skipped,\n"
        "and the next one runs. A \"Create Substrate\" entry makes its new cell volume\n"
        "the one the following entries work on. A photolithography entry that names\n"
        "a mask file (an image, or a layout with its cell, layer and placement)\n"
        "reads it when it runs, a relative name in the list's folder. \"Save Image\"\n"
        "entries draw the document as the 3D view does (1024 x 768 pixels, standard\n"
        "view framing the volume, legend of its materials) and need an OpenGL\n"
        "display; without one they are reported and skipped. Progress goes to\n"
        "stderr, one line per entry; on a terminal a live line also shows the\n"
        "running entry's phase and step.\n"
        "\n"
        "With --netlist the cell volume the run ends with is cut into blocks of one\n"
        "material; every beam other than silicon that sticks out sideways and is held\n"
        "at one end only, with nothing above or below its free end, is a cantilever.\n"
        "When there is none, no netlist is written (the document still is).\n"
        "\n"
        "No output replaces another one or a file the run reads: two of -o,\n"
        "--netlist, --report, --export (an OBJ with its MTL, an STL with its\n"
        "bodies' files), --section and --series naming one file, however spelled,\n"
        "one naming the list, the start document or a mask file, or a \"Save\n"
        "Image\" entry's picture naming one of these, are refused before the run.\n"
        "\n"
        "Ctrl-C stops the running process at its next step and the run with it;\n"
        "nothing is written then. A second Ctrl-C ends the program at once.\n"
        "\n"
        "Exit status:\n"
        "    0  every entry ran and every requested output was written\n"
        "    1  the document was written, but not everything went as asked: entries\n"
        "       that did not run, elements of the list it does not know, objects\n"
        "       skipped from the start document, or a requested netlist, report,\n"
        "       export, section or step of a series that could not be made\n"
        "    2  the command line was not understood: an unknown option or a bad value,\n"
        "       a --set naming an entry, parameter or material the list or the\n"
        "       catalogue does not have or a value its process cannot use (also a\n"
        "       mask file that cannot be read, lacks the cell or layer asked for or\n"
        "       whose layer covers no column of the volume), an --export-materials\n"
        "       naming a material the catalogue does not have, an output naming the\n"
        "       file of another output, of a \"Save Image\" entry, of a mask file, of\n"
        "       the list or of the start document, or a --section plane outside the\n"
        "       resulting cell volume\n"
        "    3  nothing was written: the list or the start document could not be\n"
        "       read (a start document with cells missing counts), the list needs a\n"
        "       cell volume it does not have, or an output folder (or the folder of\n"
        "       a series) cannot be written to\n"
        "  130  nothing was written: the run was interrupted with Ctrl-C\n");
}

bool CommandLine::parse(int argc, char *argv[], CommandLine &line, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        auto value = [&](QString &target) {
            if (i + 1 >= argc)
                return fail(QStringLiteral("%1 needs a value").arg(argument));
            if (!target.isEmpty())
                return fail(QStringLiteral("%1 is given twice").arg(argument));
            target = QString::fromLocal8Bit(argv[++i]);
            return true;
        };
        if (argument == QLatin1String("-h") || argument == QLatin1String("--help")) {
            line.help = true;
        } else if (argument == QLatin1String("-v") || argument == QLatin1String("--verbose")) {
            line.verbose = true;
        } else if (argument == QLatin1String("-o") || argument == QLatin1String("--output")) {
            if (!value(line.outputFile))
                return false;
        } else if (argument == QLatin1String("-i") || argument == QLatin1String("--input")) {
            if (!value(line.startDocument))
                return false;
        } else if (argument == QLatin1String("--netlist")) {
            if (!value(line.netlistFile))
                return false;
        } else if (argument == QLatin1String("--report")) {
            if (!value(line.reportFile))
                return false;
        } else if (argument == QLatin1String("--netlist-subckt")) {
            if (!value(line.subcircuit))
                return false;
            static const QRegularExpression spiceName(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
            if (!spiceName.match(line.subcircuit).hasMatch())
                return fail(QStringLiteral("--netlist-subckt needs a name of letters, digits and _, starting with a "
                                           "letter or _, not \"%1\"")
                                .arg(line.subcircuit));
        } else if (argument == QLatin1String("--length-unit")) {
            if (!value(line.lengthUnitText))
                return false;
            if (!Model::LengthUnit::parse(line.lengthUnitText, &line.lengthUnit))
                return fail(QStringLiteral("--length-unit needs a length such as 1um, 500nm or 0.1mm, not \"%1\"")
                                .arg(line.lengthUnitText));
        } else if (argument == QLatin1String("--export")) {
            QString file;
            if (!value(file) || !ResultOptions::parseExport(file, line.exports, error))
                return false;
        } else if (argument == QLatin1String("--export-materials")) {
            QString names;
            if (!value(names))
                return false;
            if (!line.exportMaterials.isEmpty())
                return fail(QStringLiteral("--export-materials is given twice"));
            for (const QString &name : names.split(QLatin1Char(',')))
                if (!name.trimmed().isEmpty())
                    line.exportMaterials.append(name.trimmed());
            if (line.exportMaterials.isEmpty())
                return fail(QStringLiteral("--export-materials needs material names or ids, separated by commas"));
        } else if (argument == QLatin1String("--series")) {
            if (!value(line.seriesFolder))
                return false;
        } else if (argument == QLatin1String("--section")) {
            QString plane, file;
            if (!value(plane) || !value(file) || !ResultOptions::parseSection(plane, file, line.sections, error))
                return false;
        } else if (argument == QLatin1String("--set")) {
            QString setting;
            if (!value(setting) || !ResultOptions::parseOverride(setting, line.overrides, error))
                return false;
        } else if (argument == QLatin1String("--threads")) {
            QString count;
            if (!value(count))
                return false;
            bool ok = false;
            line.threads = count.toInt(&ok);
            if (!ok || line.threads < 1 || line.threads > 1024)
                return fail(QStringLiteral("--threads needs a whole number from 1 to 1024, not \"%1\"").arg(count));
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            return fail(QStringLiteral("unknown option %1").arg(argument));
        } else if (line.listFile.isEmpty()) {
            line.listFile = argument;
        } else {
            return fail(QStringLiteral("only one process list can be run, \"%1\" is one too many").arg(argument));
        }
    }
    if (line.help)
        return true;
    if (line.listFile.isEmpty())
        return fail(QStringLiteral("no process list given"));
    if (line.outputFile.isEmpty())
        return fail(QStringLiteral("no output document given (-o RESULT.cvx)"));
    if (!line.exportMaterials.isEmpty() && line.exports.isEmpty())
        return fail(QStringLiteral("--export-materials chooses what --export writes: give --export FILE too"));
    if (!line.subcircuit.isEmpty() && line.netlistFile.isEmpty())
        return fail(QStringLiteral("--netlist-subckt names the subcircuit of a netlist: give --netlist FILE too"));
    // One output would replace another, or the list or document it came
    // from, and the run would still end with status 0.
    const QString clash = line.files().clash();
    if (!clash.isEmpty())
        return fail(clash);
    return true;
}

FileClaims CommandLine::files() const
{
    FileClaims files;
    files.addInput(QStringLiteral("the process list ") + listFile, listFile);
    if (!startDocument.isEmpty())
        files.addInput(QStringLiteral("-i ") + startDocument, startDocument);
    files.addOutput(QStringLiteral("-o ") + outputFile, outputFile);
    if (!netlistFile.isEmpty())
        files.addOutput(QStringLiteral("--netlist ") + netlistFile, netlistFile);
    if (!reportFile.isEmpty())
        files.addOutput(QStringLiteral("--report ") + reportFile, reportFile);
    using Model::Export::VolumeExport;
    for (const QString &file : exports) {
        const QString option = QStringLiteral("--export ") + file;
        files.addOutput(option, file);
        if (VolumeExport::formatOf(file) == VolumeExport::Obj) {
            const QString colours = VolumeExport::companionMtl(file);
            files.addOutput(QStringLiteral("%1 (its %2)").arg(option, colours), colours);
        } else if (VolumeExport::formatOf(file) == VolumeExport::Stl) {
            const QString prefix = VolumeExport::bodyFilePrefix(file);
            const QString suffix = QLatin1Char('.') + QFileInfo(file).suffix();
            files.addOutputFamily(QStringLiteral("%1 (its bodies' %2*%3)").arg(option, prefix, suffix), prefix, suffix);
        }
    }
    if (!seriesFolder.isEmpty()) {
        using Model::Export::StepSeries;
        const QDir folder(seriesFolder);
        const QString steps = folder.filePath(StepSeries::stepFilePrefix());
        files.addOutputFamily(QStringLiteral("--series %1 (its %2*%3)").arg(seriesFolder, steps, StepSeries::stepFileSuffix()),
                              steps, StepSeries::stepFileSuffix());
        const QString collection = folder.filePath(StepSeries::collectionFileName());
        files.addOutput(QStringLiteral("--series %1 (its %2)").arg(seriesFolder, collection), collection);
    }
    for (const SectionRequest &section : sections)
        files.addOutput(QStringLiteral("--section %1 %2").arg(section.describe(), section.file), section.file);
    return files;
}

} // namespace BatchTool
