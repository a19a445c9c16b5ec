// A Windows program that crashes on purpose, for the test of the crash watch:
// it writes through a null pointer.
#include <cstdio>

namespace {

__attribute__((noinline)) void WriteThroughNull(volatile int* target) {
    *target = 1;
}

} // namespace

int main() {
    std::puts("crashing now");
    std::fflush(stdout);
    WriteThroughNull(nullptr);
    return 0;
}
