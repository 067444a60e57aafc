#pragma once

#include "Model/Automaton/TotalVolume.h"

#include <boost/shared_ptr.hpp>

#include <vector>

namespace Model {
namespace Automaton {

// The first cell volume among scene objects (picks, a document's objects),
// or none.
inline boost::shared_ptr<TotalVolume> firstCellVolume(const std::vector<boost::shared_ptr<Object>> &objects)
{
    for (const auto &object : objects)
        if (auto volume = boost::dynamic_pointer_cast<TotalVolume>(object))
            return volume;
    return {};
}

// The cell volume when the objects hold exactly one, otherwise none: with
// several there is no telling which one is meant.
inline boost::shared_ptr<TotalVolume> onlyCellVolume(const std::vector<boost::shared_ptr<Object>> &objects)
{
    boost::shared_ptr<TotalVolume> only;
    for (const auto &object : objects) {
        if (auto volume = boost::dynamic_pointer_cast<TotalVolume>(object)) {
            if (only)
                return {};
            only = volume;
        }
    }
    return only;
}

} // namespace Automaton
} // namespace Model
