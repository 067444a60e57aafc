#pragma once

#include <cstdint>
#include <string>

namespace Model {
namespace Automaton {

// Whether a cell volume of a given size can be built on this machine. Every
// place that builds a volume from sizes it was given (the substrate dialog,
// documents, gluing, batch runs) asks here first, so that an impossible
// size gets a message instead of taking the program down.
class VolumeMemory
{
public:
    // Bytes a volume of sizeX x sizeY x sizeZ cells needs while it is built:
    // both cell arrays and the material list they are filled from. False
    // when the size cannot even be represented.
    static bool requiredBytes(std::uint64_t sizeX, std::uint64_t sizeY, std::uint64_t sizeZ,
                              std::uint64_t &bytes);
    // Memory the system can give this process without swapping, or the
    // limit when one is set and lower.
    static std::uint64_t availableBytes();
    // Caps what this process may take for volumes (0: no cap), for programs
    // that share the machine, such as a reader fed thousands of files.
    static void setLimit(std::uint64_t bytes);
    // Hands memory the program has freed back to the system, so that
    // availableBytes() counts it: freed small blocks otherwise stay with the
    // allocator, ready for this process but invisible to the system.
    static void releaseFreedMemory();
    // True when the volume fits; otherwise `problem` holds a sentence
    // saying how much memory it needs (for "<title>: <problem>").
    static bool fits(std::uint64_t sizeX, std::uint64_t sizeY, std::uint64_t sizeZ, std::string *problem = nullptr);

    // "A cell volume of X x Y x Z cells needs N of memory" (no full stop),
    // for messages about a volume that could not be built.
    static std::string describeNeed(std::uint64_t sizeX, std::uint64_t sizeY, std::uint64_t sizeZ);

    // "512 bytes", "3.5 MB", "22.4 TB", ...
    static std::string describeBytes(double bytes);
};

} // namespace Automaton
} // namespace Model
