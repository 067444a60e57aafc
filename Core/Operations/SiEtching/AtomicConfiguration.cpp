#include "Core/Operations/SiEtching/AtomicConfiguration.h"

namespace Core {
namespace Operations {

AtomicConfiguration AtomicConfiguration::fromCounts(unsigned ns1, unsigned nb1, unsigned ns2, unsigned nb2)
{
    // (ns1, nb1, ns2, nb2) -> configuration, in configuration order.
    static const unsigned table[33][4] = {
        {0, 3, 4, 7}, {0, 3, 6, 5}, {0, 3, 3, 7}, {0, 3, 5, 5}, {0, 3, 2, 7}, {0, 3, 4, 5}, {0, 3, 6, 3},
        {1, 2, 3, 6}, {1, 2, 2, 6}, {1, 2, 3, 5}, {1, 2, 2, 5}, {1, 2, 4, 3}, {2, 1, 4, 5}, {2, 1, 1, 6},
        {2, 1, 2, 5}, {2, 1, 4, 3}, {2, 1, 0, 6}, {2, 1, 1, 5}, {0, 2, 5, 5}, {0, 2, 2, 6}, {0, 2, 3, 5},
        {0, 2, 4, 4}, {0, 2, 3, 4}, {0, 2, 5, 2}, {1, 1, 4, 5}, {1, 1, 2, 5}, {1, 1, 3, 4}, {1, 1, 2, 4},
        {1, 1, 3, 3}, {0, 1, 6, 3}, {0, 1, 4, 3}, {0, 1, 5, 2}, {0, 1, 6, 1},
    };
    for (int c = 0; c < Count; ++c) {
        const unsigned *row = table[c];
        if (row[0] == ns1 && row[1] == nb1 && row[2] == ns2 && row[3] == nb2)
            return AtomicConfiguration(c);
    }
    return AtomicConfiguration(Unexpected);
}

} // namespace Operations
} // namespace Core
