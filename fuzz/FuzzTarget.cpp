// One libFuzzer target: the reader named by TESSIVAL_FUZZ_READER.
#include "fuzz/FuzzReaders.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fuzz::FuzzReaders::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Fuzz::FuzzReaders::feed(TESSIVAL_FUZZ_READER,
                            QByteArray(reinterpret_cast<const char *>(data), int(size)));
    return 0;
}
