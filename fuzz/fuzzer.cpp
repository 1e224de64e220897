// One libFuzzer executable per target: VANDREL_FUZZ_TARGET names the target it runs.
#include "fuzz_targets.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const FuzzTarget *const target = findFuzzTarget(QStringLiteral(VANDREL_FUZZ_TARGET));
    if (!target) {
        std::fprintf(stderr, "no fuzz target called %s\n", VANDREL_FUZZ_TARGET);
        std::abort();
    }
    const QString failure =
        target->run(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!failure.isEmpty()) {
        std::fprintf(stderr, "%s: %s\n", target->name, qUtf8Printable(failure));
        std::abort();
    }
    return 0;
}
