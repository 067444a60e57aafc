#pragma once

#include "Model/Automaton/TotalVolume.h"

#include <QThread>
#include <QThreadPool>

#include <boost/make_shared.hpp>
#include <boost/shared_ptr.hpp>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace TestSupport {

// The material of cell (x, y, z) of a volume to build.
using Fill = std::function<std::uint32_t(unsigned x, unsigned y, unsigned z)>;

inline boost::shared_ptr<Model::Automaton::TotalVolume> filledVolume(unsigned sx, unsigned sy, unsigned sz,
                                                                     const Fill &fill,
                                                                     std::array<float, 3> cell = {1, 1, 1})
{
    std::vector<std::uint32_t> m(std::size_t(sx) * sy * sz);
    for (unsigned x = 0; x < sx; ++x)
        for (unsigned y = 0; y < sy; ++y)
            for (unsigned z = 0; z < sz; ++z)
                m[z + sz * (y + std::size_t(sy) * x)] = fill(x, y, z);
    return boost::make_shared<Model::Automaton::TotalVolume>(sx, sy, sz, cell[0], cell[1], cell[2], Util::Vector3D(),
                                                             m);
}

inline std::uint32_t materialAt(Model::Automaton::TotalVolume &v, unsigned x, unsigned y, unsigned z)
{
    Model::Automaton::LockedCells cells(v);
    return cells[v.cellIndex(x, y, z)].material;
}

// The materials of one column, bottom to top.
inline std::vector<std::uint32_t> columnOf(Model::Automaton::TotalVolume &v, unsigned x, unsigned y)
{
    std::vector<std::uint32_t> result;
    for (unsigned z = 0; z < v.sizeZ(); ++z)
        result.push_back(materialAt(v, x, y, z));
    return result;
}

// Runs `process` on a fresh volume with one pool thread and with 2, 3 and
// 5, and says where the cells (both arrays' materials) first differ; empty
// when they never do.
inline std::string threadCountDifference(const std::function<boost::shared_ptr<Model::Automaton::TotalVolume>()> &make,
                                         const std::function<void(Model::Automaton::TotalVolume &)> &process)
{
    const auto materials = [](Model::Automaton::TotalVolume &v) {
        Model::Automaton::LockedCellArrays arrays(v);
        std::vector<std::uint32_t> both;
        for (std::size_t i = 0; i < v.cellCount(); ++i) {
            both.push_back(arrays.current()[i].material);
            both.push_back(arrays.working()[i].material);
        }
        return both;
    };
    QThreadPool *pool = QThreadPool::globalInstance();
    pool->setMaxThreadCount(1);
    auto serial = make();
    process(*serial);
    const auto expected = materials(*serial);
    std::string difference;
    for (int threads : {2, 3, 5}) {
        pool->setMaxThreadCount(threads);
        auto threaded = make();
        process(*threaded);
        if (difference.empty() && materials(*threaded) != expected)
            difference = std::to_string(threads) + " threads differ from one";
    }
    pool->setMaxThreadCount(QThread::idealThreadCount());
    return difference;
}

} // namespace TestSupport
