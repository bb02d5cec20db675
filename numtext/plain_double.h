// What the same digits on every processor ask of the compiler: each double operation rounded to double.
#pragma once

#include <cfloat>

// With excess precision (the x87 unit of i386 computes in 80 bits) the double-double steps and the
// (x + 2^52) - 2^52 roundings keep bits that a double drops, and the display shows other digits.
#if FLT_EVAL_METHOD != 0
#error "this compiler keeps floating-point excess precision (FLT_EVAL_METHOD != 0); on i386 build with -msse2 -mfpmath=sse"
#endif
