#include "Model/Automaton/VolumeMemory.h"

#include "Model/Automaton/Voxel.h"

#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <limits>

#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace Model {
namespace Automaton {

namespace {

bool multiply(std::uint64_t a, std::uint64_t b, std::uint64_t &result)
{
    if (a != 0 && b > std::numeric_limits<std::uint64_t>::max() / a)
        return false;
    result = a * b;
    return true;
}

// "MemAvailable" of /proc/meminfo: free memory plus what the kernel can
// reclaim without swapping.
bool memAvailable(std::uint64_t &bytes)
{
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    const QString text = QString::fromLatin1(file.readAll());
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("MemAvailable:\\s*(\\d+)\\s*kB")).match(text);
    if (!match.hasMatch())
        return false;
    bool ok = false;
    const std::uint64_t kiloBytes = match.captured(1).toULongLong(&ok);
    return ok && multiply(kiloBytes, 1024, bytes);
}

} // namespace

bool VolumeMemory::requiredBytes(std::uint64_t sizeX, std::uint64_t sizeY, std::uint64_t sizeZ,
                                 std::uint64_t &bytes)
{
    constexpr std::uint64_t PerCell = 2 * sizeof(Voxel) + sizeof(std::uint32_t);
    std::uint64_t cells = 0;
    return multiply(sizeX, sizeY, cells) && multiply(cells, sizeZ, cells) && multiply(cells, PerCell, bytes)
        && cells <= std::uint64_t(std::numeric_limits<std::size_t>::max() / PerCell);
}

namespace {
std::atomic<std::uint64_t> memoryLimit{0};
} // namespace

void VolumeMemory::setLimit(std::uint64_t bytes)
{
    memoryLimit.store(bytes);
}

std::uint64_t VolumeMemory::availableBytes()
{
    std::uint64_t bytes = 0;
    if (!memAvailable(bytes)) {
        const long pages = sysconf(_SC_AVPHYS_PAGES);
        const long pageSize = sysconf(_SC_PAGESIZE);
        bytes = pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize)
                                          : std::numeric_limits<std::uint64_t>::max();
    }
    const std::uint64_t limit = memoryLimit.load();
    return limit != 0 ? std::min(bytes, limit) : bytes;
}

void VolumeMemory::releaseFreedMemory()
{
#if defined(__GLIBC__)
    malloc_trim(0);
#endif
}

bool VolumeMemory::fits(std::uint64_t sizeX, std::uint64_t sizeY, std::uint64_t sizeZ, std::string *problem)
{
    std::uint64_t required = 0;
    const bool representable = requiredBytes(sizeX, sizeY, sizeZ, required);
    const std::uint64_t available = availableBytes();
    if (representable && required <= available)
        return true;
    if (problem)
        *problem = describeNeed(sizeX, sizeY, sizeZ) + ", but only " + describeBytes(double(available)) + " is available.";
    return false;
}

std::string VolumeMemory::describeNeed(std::uint64_t sizeX, std::uint64_t sizeY, std::uint64_t sizeZ)
{
    const std::string volume = "A cell volume of " + std::to_string(sizeX) + " x " + std::to_string(sizeY) + " x "
        + std::to_string(sizeZ) + " cells";
    std::uint64_t required = 0;
    if (!requiredBytes(sizeX, sizeY, sizeZ, required))
        return volume + " needs more memory than any computer can address";
    return volume + " needs " + describeBytes(double(required)) + " of memory";
}

std::string VolumeMemory::describeBytes(double bytes)
{
    static const char *const units[] = {"bytes", "KB", "MB", "GB", "TB", "PB", "EB"};
    int unit = 0;
    while (bytes >= 1024.0 && unit < 6) {
        bytes /= 1024.0;
        ++unit;
    }
    char text[64];
    if (unit == 0)
        std::snprintf(text, sizeof text, "%.0f %s", bytes, units[unit]);
    else
        std::snprintf(text, sizeof text, "%.1f %s", bytes, units[unit]);
    return text;
}

} // namespace Automaton
} // namespace Model
