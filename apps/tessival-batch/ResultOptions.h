#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace BatchTool {

// "--section x=40 FILE.png": the picture of the cells of one plane of the
// resulting cell volume.
struct SectionRequest
{
    int axis = 0;  // 0, 1, 2 for x, y, z
    int index = 0; // the cell index of the plane along that axis
    QString file;

    QString describe() const; // "x=40"
};

// "--set N:NAME=VALUE": parameter NAME of entry N (from 1) takes VALUE.
struct ParameterOverride
{
    int entry = 0;
    QString name;
    QString value;

    QString describe() const; // "2:Thickness=3.5"
};

// The options that ask for more than the document; each parser checks what
// can be checked before the list is read, and is false with the reason.
namespace ResultOptions {

bool parseExport(const QString &file, QStringList &exports, QString *error);
bool parseSection(const QString &plane, const QString &file, std::vector<SectionRequest> &sections, QString *error);
bool parseOverride(const QString &setting, std::vector<ParameterOverride> &overrides, QString *error);

} // namespace ResultOptions
} // namespace BatchTool
