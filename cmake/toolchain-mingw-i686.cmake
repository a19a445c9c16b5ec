# 32-bit Windows through MinGW-w64 (posix thread model).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR X86)
set(MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
# 32-bit Windows enters window procedures, hooks, timer procedures and thread
# entries with the stack aligned to 4 bytes only, while GCC assumes 16 and may
# use stack slots through aligned SSE operands (in functions built for SSSE3 by
# a target attribute, for one; -mstackrealign does not reach those). So every
# function that needs 16 aligns its own stack. libjpeg-turbo's build reads this
# file too; its assembly code aligns its stack itself.
# scripts/check-stack-alignment.py checks the result.
set(CMAKE_C_FLAGS_INIT "-mincoming-stack-boundary=2")
set(CMAKE_CXX_FLAGS_INIT "-mincoming-stack-boundary=2")
