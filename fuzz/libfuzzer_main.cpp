// The entry libFuzzer calls, for the one target this program was built for.
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fuzz::Target* const target = fuzz::FindTarget(STALKWAY_FUZZ_TARGET);
    fuzz::Check(target != nullptr, "the program's target exists");
    target->run({data, size});
    return 0;
}
