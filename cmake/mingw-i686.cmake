# Cross-build for 32-bit Windows with Debian's mingw-w64 i686 toolchain (posix threads
# variant: its C++ runtime has the full <thread>/<mutex> support, linked in statically).
#
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
#         -DVL_WINDOWS_DEPS=<prefix holding mbed TLS and GoogleTest built for i686>
#
# Programs built here run through Wine (the cross-compiling emulator) in CTest; WINEPREFIX
# and WINEDEBUG come from the environment (tools/windows.sh sets them).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(VL_MINGW_TRIPLET i686-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${VL_MINGW_TRIPLET}-gcc-posix REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VL_MINGW_TRIPLET}-g++-posix REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VL_MINGW_TRIPLET}-windres)
find_program(CMAKE_AR NAMES ${VL_MINGW_TRIPLET}-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES ${VL_MINGW_TRIPLET}-ranlib REQUIRED)
find_program(VL_MINGW_OBJDUMP NAMES ${VL_MINGW_TRIPLET}-objdump REQUIRED)

# The prefix where the i686 builds of the dependencies are installed, passed on to
# try_compile projects as well.
set(VL_WINDOWS_DEPS "" CACHE PATH "Prefix with mbed TLS and GoogleTest built for i686")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VL_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH /usr/${VL_MINGW_TRIPLET})
if(VL_WINDOWS_DEPS)
  list(APPEND CMAKE_FIND_ROOT_PATH "${VL_WINDOWS_DEPS}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The DLL's callers give its functions a stack aligned to 4 bytes only: functions that keep
# 16-byte values on the stack (the vector paths) align it themselves.
set(CMAKE_C_FLAGS_INIT "-mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-mstackrealign")

# Everything the DLL and the programs need is linked in: the result imports only the
# system's own DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(VL_WINE NAMES wine wine-stable)
if(VL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR "${VL_WINE}")
endif()
