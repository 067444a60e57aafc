#include "Model/ColourScheme.h"

#include <mutex>

namespace Model {

namespace {

using Table = Util::Vector4D[ColourScheme::KindCount][ColourScheme::SchemeCount];

void fillDefaults(Table &table)
{
    const Util::Vector4D initial[ColourScheme::KindCount][ColourScheme::SchemeCount] = {
        {{0, 0, 0, 1}, {1, 1, 1, 1}, {1, 0, 0, 1}},
        {{1, 1, 1, 1}, {0, 0, 0, 1}, {1, 1, 1, 1}},
        {{0.4, 0.4, 0.4, 1}, {0.4, 0.4, 0.4, 1}, {0.4, 0.4, 0.4, 1}},
        {{0, 0, 0, 0}, {1, 1, 1, 0}, {0, 0, 0, 0}},
    };
    for (int k = 0; k < ColourScheme::KindCount; ++k)
        for (int s = 0; s < ColourScheme::SchemeCount; ++s)
            table[k][s] = initial[k][s];
}

// Objects are also built on worker threads (clones, batch runs), so the
// table is read under a lock.
struct State
{
    State() { fillDefaults(table); }
    std::mutex mutex;
    Table table;
    int current = ColourScheme::DefaultScheme;
};

State &state()
{
    static State instance;
    return instance;
}

bool valid(int kind, int scheme)
{
    return kind >= 0 && kind < ColourScheme::KindCount && scheme >= 0 && scheme < ColourScheme::SchemeCount;
}

} // namespace

Util::Vector4D ColourScheme::colour(int kind, int scheme)
{
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return valid(kind, scheme) ? s.table[kind][scheme] : Util::Vector4D();
}

void ColourScheme::setColour(int kind, int scheme, const Util::Vector4D &colour)
{
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (valid(kind, scheme))
        s.table[kind][scheme] = colour;
}

Util::Vector4D ColourScheme::currentColour(int kind)
{
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return valid(kind, s.current) ? s.table[kind][s.current] : Util::Vector4D();
}

int ColourScheme::currentScheme()
{
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    return s.current;
}

void ColourScheme::setCurrentScheme(int scheme)
{
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (scheme >= 0 && scheme < SchemeCount)
        s.current = scheme;
}

void ColourScheme::restoreDefaults()
{
    State &s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    fillDefaults(s.table);
    s.current = DefaultScheme;
}

} // namespace Model
