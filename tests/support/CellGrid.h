#pragma once

#include "Model/Automaton/TotalVolume.h"

#include <QThread>
#include <QThreadPool>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace TestSupport {

// Builds small cell volumes from a material rule and reads them back, for
// the process workers' tests.
namespace CellGrid {

using Fill = std::function<std::uint32_t(unsigned x, unsigned y, unsigned z)>;
using Model::Automaton::TotalVolume;
using Model::Automaton::Voxel;

inline std::unique_ptr<TotalVolume> make(unsigned sx, unsigned sy, unsigned sz, const Fill &fill,
                                         std::array<float, 3> cell = {1, 1, 1})
{
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z)
                m[z + sz * (y + std::size_t(sy) * x)] = fill(x, y, z);
    return std::make_unique<TotalVolume>(sx, sy, sz, cell[0], cell[1], cell[2], Util::Vector3D(), m);
}

inline std::uint32_t at(TotalVolume &v, unsigned x, unsigned y, unsigned z)
{
    Model::Automaton::LockedCells cells(v);
    return cells[v.cellIndex(x, y, z)].material;
}

// The materials of one column, bottom to top.
inline std::vector<std::uint32_t> column(TotalVolume &v, unsigned x, unsigned y)
{
    std::vector<std::uint32_t> result;
    for (unsigned z = 0; z < v.sizeZ(); ++z)
        result.push_back(at(v, x, y, z));
    return result;
}

inline std::vector<Voxel> cells(TotalVolume &v)
{
    Model::Automaton::LockedCells locked(v);
    return std::vector<Voxel>(locked.get(), locked.get() + v.cellCount());
}

// The first cell that differs in material, flag or vector; empty when none.
inline std::string firstDifference(const std::vector<Voxel> &a, const std::vector<Voxel> &b)
{
    if (a.size() != b.size())
        return "different sizes";
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].material != b[i].material || a[i].fixed != b[i].fixed || a[i].dx != b[i].dx || a[i].dy != b[i].dy
            || a[i].dz != b[i].dz)
            return "cell " + std::to_string(i);
    return {};
}

// Runs `process` on a fresh volume with one pool thread and with 2, 3 and 5,
// and returns the first difference from the single-thread cells, with the
// thread count; empty when every run gave the same cells.
inline std::string threadDifference(const std::function<std::unique_ptr<TotalVolume>()> &build,
                                    const std::function<void(TotalVolume &)> &process)
{
    QThreadPool &pool = *QThreadPool::globalInstance();
    pool.setMaxThreadCount(1);
    auto serial = build();
    process(*serial);
    const std::vector<Voxel> expected = cells(*serial);
    std::string difference;
    for (int threads : {2, 3, 5}) {
        pool.setMaxThreadCount(threads);
        auto threaded = build();
        process(*threaded);
        difference = firstDifference(cells(*threaded), expected);
        if (!difference.empty()) {
            difference = std::to_string(threads) + " threads: " + difference;
            break;
        }
    }
    pool.setMaxThreadCount(QThread::idealThreadCount());
    return difference;
}

} // namespace CellGrid
} // namespace TestSupport
