#include "picture/simd_path.h"

bool ProcessorRuns(SimdPath path) {
#ifdef PELLORAN_X86_SIMD
    __builtin_cpu_init(); // the run-time library's own detection may not have run yet
    switch (path) {
    case SimdPath::Plain:
        return true;
    case SimdPath::Sse2:
        return __builtin_cpu_supports("sse2") != 0;
    case SimdPath::Avx2:
        return __builtin_cpu_supports("avx2") != 0;
    }
    return false;
#else
    return path == SimdPath::Plain;
#endif
}

SimdPath WidestSimdPath() {
    SimdPath widest = SimdPath::Plain;
    for (const SimdPath path : SimdPaths) {
        widest = ProcessorRuns(path) ? path : widest;
    }
    return widest;
}

const char* SimdPathName(SimdPath path) {
    switch (path) {
    case SimdPath::Plain:
        break;
    case SimdPath::Sse2:
        return "SSE2";
    case SimdPath::Avx2:
        return "AVX2";
    }
    return "plain";
}
