// Arbitrary bytes played as keys on the engine; every key must keep the state's invariants.
#include "key_storm.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    testing_support::KeyStorm storm;
    for (std::size_t i = 0; i < size; ++i)
        if (const std::string fault = storm.play(data[i]); !fault.empty())
            std::fprintf(stderr, "%s; keys: %s\n", fault.c_str(), storm.keys.c_str()), std::abort();
    return 0;
}
