#pragma once

#include <QString>

#include <vector>

namespace BatchTool {

// The files one run reads and writes, each with the option that names it,
// so that no output replaces another one or a file the run reads: the
// process list, the start document, the document, the netlist, the exports
// (an OBJ with its MTL), the sections and the pictures of "Save Image"
// entries. Paths are compared as the files they name, however spelled.
class FileClaims
{
public:
    // `option` names the file as the user gave it ("-o doc.png", "the
    // process list flow.plst"); it goes into the message.
    void addInput(const QString &option, const QString &path);
    void addOutput(const QString &option, const QString &path);
    // A picture a "Save Image" entry writes. Entries may name one file
    // more than once, each picture replacing the one before, as in the
    // window; none may name another claim's file.
    void addListPicture(const QString &option, const QString &path);
    // Outputs whose names are known only after the run: every file in the
    // folder of `prefixPath` whose name starts with its name and ends with
    // `suffix` ("part-" and ".stl" for the bodies of "part.stl").
    void addOutputFamily(const QString &option, const QString &prefixPath, const QString &suffix);

    // "A and B cannot be the same file" for the first two claims that name
    // one file, where one of them writes it; empty when there are none.
    QString clash() const;

    // The file a path names: the same text for every spelling of it
    // ("./a.cvx", "sub/../a.cvx", a link to it, its absolute path).
    static QString fileOf(const QString &path);

private:
    enum Kind { Input, Output, ListPicture, OutputFamily };
    struct Claim
    {
        QString option;
        QString file; // for a family, its folder and the start of the names
        Kind kind;
        QString suffix; // of a family's names
    };

    static bool overlap(const Claim &a, const Claim &b);

    void add(const QString &option, const QString &path, Kind kind);

    std::vector<Claim> m_claims;
};

} // namespace BatchTool
