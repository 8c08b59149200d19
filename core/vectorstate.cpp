#include "core/vectorstate.h"

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace tavelo {

#if defined(__x86_64__) && defined(__GNUC__)

namespace {

__attribute__((target("avx"))) void zeroUpper()
{
    _mm256_zeroupper();
}

bool hasAvx()
{
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx");
}

} // namespace

void releaseUpperVectorState()
{
    static const bool avx = hasAvx();
    if (avx)
        zeroUpper();
}

#else

void releaseUpperVectorState()
{
}

#endif

} // namespace tavelo
