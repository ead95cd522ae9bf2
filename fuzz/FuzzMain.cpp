// One libFuzzer executable per target; the target's name is compiled in.
#include "FuzzTargets.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const trakmora::fuzz::Target* target = trakmora::fuzz::findTarget(TRAKMORA_FUZZ_TARGET);
    if (!target) std::abort();
    target->run(data, size);
    return 0;
}
