# The portable core as 32-bit Linux programs, so that its tests run with the
# 32-bit size_t of the shipped Windows build. This kernel cannot start 32-bit
# programs itself: they are linked statically and run under qemu-i386 (user
# mode), which ctest and the test discovery call as the emulator.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32")
set(CMAKE_CXX_FLAGS_INIT "-m32")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
