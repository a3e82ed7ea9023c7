# Cross build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64),
# its programs run under Wine (wine64). The posix thread model, which
# GoogleTest needs, is linked statically like the C++ runtime.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${MINGW_PREFIX}-objdump CACHE FILEPATH "objdump of the target")

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Nothing may need a runtime DLL that a stock Windows lacks.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# Debian's wine64 keeps its loader in a library folder, not on PATH.
find_program(WINE_LOADER NAMES wine64 wine PATHS /usr/lib/wine /usr/lib/x86_64-linux-gnu/wine /usr/bin
  NO_DEFAULT_PATH REQUIRED)
# Programs run headless, in a private prefix under the build folder, quietly.
set(MINT_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
set(CMAKE_CROSSCOMPILING_EMULATOR
  /usr/bin/env -u DISPLAY -u WAYLAND_DISPLAY WINEPREFIX=${MINT_WINE_PREFIX} WINEDEBUG=-all
  WINEDLLOVERRIDES=mscoree,mshtml= ${WINE_LOADER})
