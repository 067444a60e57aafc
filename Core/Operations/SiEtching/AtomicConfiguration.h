#pragma once

namespace Core {
namespace Operations {

// The neighbourhood class of a surface atom in the continuous etch, from
// its first and second neighbours split into surface and bulk atoms.
// Unexpected combinations are configuration 33.
class AtomicConfiguration
{
public:
    static constexpr int Unexpected = 33;
    static constexpr int Count = 33;

    AtomicConfiguration() = default;
    explicit AtomicConfiguration(int number) : m_number(number) {}

    static AtomicConfiguration fromCounts(unsigned ns1, unsigned nb1, unsigned ns2, unsigned nb2);

    int number() const { return m_number; }
    bool isExpected() const { return m_number != Unexpected; }

private:
    int m_number = Unexpected;
};

} // namespace Operations
} // namespace Core
