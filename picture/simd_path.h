// The instruction sets the pixel work is written for (the resampler and the
// fade's mix), each giving the same bits as plain C++. The product takes the
// widest that the processor runs; the tests and the benchmark name each one.
#pragma once

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define PELLORAN_X86_SIMD 1
#endif

enum class SimdPath { Plain, Sse2, Avx2 };

// Every path, the narrowest first.
constexpr SimdPath SimdPaths[] = {SimdPath::Plain, SimdPath::Sse2, SimdPath::Avx2};

// Whether this processor runs the path's instructions; plain C++ runs anywhere.
bool ProcessorRuns(SimdPath path);

// The widest path this processor runs.
SimdPath WidestSimdPath();

// "plain", "SSE2" or "AVX2".
const char* SimdPathName(SimdPath path);
