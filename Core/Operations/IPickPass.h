#pragma once

#include <vector>

namespace Core {
namespace Operations {

// The view's selection pass: draws the scene for picking around a window
// position and reports the names (object ids) of the first hit record.
class IPickPass
{
public:
    virtual ~IPickPass() = default;
    // True when something was hit; `names` then holds the first record's names.
    virtual bool firstHit(int x, int y, std::vector<unsigned> &names) = 0;
};

} // namespace Operations
} // namespace Core
