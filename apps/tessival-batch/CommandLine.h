#pragma once

#include "Model/LengthUnit.h"
#include "apps/tessival-batch/FileClaims.h"
#include "apps/tessival-batch/ResultOptions.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace BatchTool {

// What one invocation of the batch program asks for.
struct CommandLine
{
    QString listFile;
    QString outputFile;
    QString startDocument; // empty: start from an empty document
    QString netlistFile;   // empty: no netlist
    QString reportFile;    // --report; empty: no report
    QString subcircuit;    // --netlist-subckt: the netlist's subcircuit name; empty: a deck
    QString lengthUnitText; // --length-unit as given; empty: the start document's or the default
    QStringList exports;                     // --export, in order
    QStringList exportMaterials;             // --export-materials, as given; empty: all
    QString seriesFolder;                    // --series; empty: no steps written
    std::vector<SectionRequest> sections;    // --section, in order
    std::vector<ParameterOverride> overrides; // --set, in order
    Model::LengthUnit lengthUnit; // read from lengthUnitText when given
    int threads = 0;       // 0: the pool's default
    bool verbose = false;
    bool help = false;

    // False with the reason for arguments that make no sense (also two
    // outputs that are one file, or an output that is an input); `help`
    // alone is a valid request.
    static bool parse(int argc, char *argv[], CommandLine &line, QString *error);
    static QString usage();

    // Every file the options name, inputs first, each with its option.
    FileClaims files() const;
};

} // namespace BatchTool
