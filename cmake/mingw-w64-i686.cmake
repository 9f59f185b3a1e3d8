# Cross build for 32-bit Windows with MinGW-w64 (posix threads), for the Windows versions and
# machines that cannot run a 64-bit program. Runs under Wine with its 32-bit part (wine32).
set(TESSARIN_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
