#pragma once

#include "Model/Automaton/TotalVolume.h"
#include "UI/BatchRun/ProcessData.h"
#include "Util/Vector3D.h"

#include <QColor>

#include <algorithm>
#include <cstdint>

namespace TestSupport {

// A "Create Substrate" entry: a silicon box in a volume of sx x sy x sz
// cells at (5, 6, 7).
inline Ui::ProcessData substrateEntry(unsigned sx = 24, unsigned sy = 20, unsigned sz = 16)
{
    Ui::ProcessData entry(Ui::ProcessData::CreateSubstrate);
    entry.setParameter(QStringLiteral("MaterialId"), 1u, false);
    entry.setParameter(QStringLiteral("Material"), QStringLiteral("Si"));
    entry.setParameter(QStringLiteral("Material_Color"), QColor(127, 127, 127), false);
    entry.setParameter(QStringLiteral("Lower Left Front Corner"), QVariant::fromValue(Util::Vector3D(5, 6, 7)));
    entry.setParameter(QStringLiteral("Volume Size X"), sx);
    entry.setParameter(QStringLiteral("Volume Size Y"), sy);
    entry.setParameter(QStringLiteral("Volume Size Z"), sz);
    entry.setParameter(QStringLiteral("SphericalSubstrate"), false, false);
    entry.setParameter(QStringLiteral("Substrate Size X"), sx - 8);
    entry.setParameter(QStringLiteral("Substrate Size Y"), sy - 4);
    entry.setParameter(QStringLiteral("Substrate Size Z"), sz / 2);
    entry.setParameter(QStringLiteral("Substrate Delta X"), 3u);
    entry.setParameter(QStringLiteral("Substrate Delta Y"), 2u);
    entry.setParameter(QStringLiteral("Substrate Delta Z"), 0u);
    entry.setParameter(QStringLiteral("Substrate Center X"), 0u, false);
    entry.setParameter(QStringLiteral("Substrate Center Y"), 0u, false);
    entry.setParameter(QStringLiteral("Substrate Center Z"), 0u, false);
    entry.setParameter(QStringLiteral("Substrate Radius"), 0u, false);
    return entry;
}

// A film entry of `type` with its amount (thickness or depth) and material.
inline Ui::ProcessData filmEntry(int type, const char *amount, double value, std::uint32_t material)
{
    Ui::ProcessData entry(type);
    entry.setParameter(QLatin1String(amount), value);
    entry.setParameter(QStringLiteral("MaterialId"), material, false);
    return entry;
}

// How many cells of the volume hold `material`.
inline std::size_t cellsOf(Model::Automaton::TotalVolume &volume, std::uint32_t material)
{
    const std::vector<std::uint32_t> cells = volume.materials();
    return std::size_t(std::count(cells.begin(), cells.end(), material));
}

} // namespace TestSupport
