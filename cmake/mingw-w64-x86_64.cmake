# Cross-compiles for 64-bit Windows with the mingw-w64 tool chain
# (Debian: g++-mingw-w64-x86-64). Tests run under Wine; see tests/win32.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORRAN_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model, for std::mutex and friends (GoogleTest needs them);
# its winpthread library is linked in statically like the rest.
set(CMAKE_C_COMPILER ${QUORRAN_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORRAN_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORRAN_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORRAN_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
