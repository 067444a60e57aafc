#pragma once

#include <cstdint>
#include <vector>

namespace TestSupport {

// The materials of a 20 x 5 x 6 volume: an Si anchor at x < 8 and, when
// asked, an aluminium beam (id 4 of the default catalogue) of 8 x 3 x 2
// cells (x 8..16, y 1..4, z 3..5) held by it at one end.
inline std::vector<std::uint32_t> anchoredBeam(bool withBeam = true)
{
    std::vector<std::uint32_t> m(20 * 5 * 6);
    for (unsigned x = 0; x < 20; ++x)
        for (unsigned y = 0; y < 5; ++y)
            for (unsigned z = 0; z < 6; ++z)
                m[z + 6 * (y + 5 * x)] =
                    x < 8 ? 1u : (withBeam && x < 16 && y >= 1 && y < 4 && z >= 3 && z < 5 ? 4u : 0u);
    return m;
}

} // namespace TestSupport
