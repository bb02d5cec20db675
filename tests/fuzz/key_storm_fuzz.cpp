// Arbitrary bytes played as keys on the engine; every key must keep the state's invariants.
#include "key_storm.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    testing_support::KeyStorm storm;
    for (std::size_t i = 0; i < size; ++i) {
        const std::string fault = storm.play(data[i]);
        if (!fault.empty()) {
            std::fprintf(stderr, "%s at key %zu; keys:", fault.c_str(), i);
            for (std::size_t k = 0; k <= i; ++k)
                std::fprintf(stderr, " %s", testing_support::kStormKeys[data[k] % testing_support::kStormKeys.size()]);
            std::fprintf(stderr, "\n");
            std::abort();
        }
    }
    return 0;
}
