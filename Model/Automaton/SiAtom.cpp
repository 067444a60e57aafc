#include "Model/Automaton/SiAtom.h"

namespace Model {
namespace Automaton {

SiAtom::~SiAtom()
{
    for (int slot = 0; slot < 4; ++slot)
        if (SiAtom *other = m_neighbours[std::size_t(slot)])
            other->m_neighbours[std::size_t(3 - slot)] = nullptr;
}

void SiAtom::link(SiAtom &a, SiAtom &b, int slot)
{
    a.m_neighbours[std::size_t(slot)] = &b;
    b.m_neighbours[std::size_t(3 - slot)] = &a;
}

int SiAtom::coordination() const
{
    if (m_state == Fixed)
        return 4;
    int count = 0;
    for (const SiAtom *other : m_neighbours)
        count += other && other->isPresent() ? 1 : 0;
    return count;
}

int SiAtom::secondNeighbourSum() const
{
    int sum = 0;
    for (const SiAtom *other : m_neighbours) {
        if (!other)
            continue;
        if (other->m_state == Silicon)
            sum += other->coordination() - 1;
        else if (other->m_state == Fixed)
            sum += 3;
    }
    return sum;
}

void SiAtom::firstNeighbourSplit(unsigned &ns1, unsigned &nb1) const
{
    ns1 = nb1 = 0;
    for (const SiAtom *other : m_neighbours) {
        if (!other || !other->isPresent())
            continue;
        if (other->m_state == Fixed || other->coordination() == 4)
            ++nb1;
        else
            ++ns1;
    }
}

void SiAtom::secondNeighbourSplit(unsigned &ns2, unsigned &nb2) const
{
    ns2 = nb2 = 0;
    for (int j = 0; j < 4; ++j) {
        const SiAtom *r = m_neighbours[std::size_t(j)];
        if (!r)
            continue;
        for (int k = 0; k < 4; ++k) {
            if (k == 3 - j)
                continue; // the bond back to this atom
            const SiAtom *s = r->m_neighbours[std::size_t(k)];
            if (!s || !s->isPresent())
                continue;
            if (s->m_state == Fixed || s->coordination() == 4)
                ++nb2;
            else
                ++ns2;
        }
    }
}

} // namespace Automaton
} // namespace Model
