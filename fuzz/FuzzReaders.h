#pragma once

#include <QByteArray>

#include <string>
#include <vector>

namespace Fuzz {

// The readers of what comes from elsewhere, each fed one input the way the
// program feeds it a file or a line: the libFuzzer targets call them, and
// the test suite replays the stored corpus through them.
class FuzzReaders
{
public:
    // "document", "process_list", "materials", "processes", "coordinates",
    // "layout": also the names of the targets and of their corpus folders.
    static const std::vector<std::string> &names();
    // Once per process: quiet logs and a memory cap, so that a file that
    // declares a huge volume is refused as on a small machine.
    static void prepare();
    // False for an unknown reader name.
    static bool feed(const std::string &reader, const QByteArray &input);
};

} // namespace Fuzz
