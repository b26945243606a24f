# Debian's mingw-w64: the posix-thread flavour is not needed, the win32 one
# keeps winpthread out of the import table.
foreach(flavour -win32 "")
  if(NOT CMAKE_CXX_COMPILER AND EXISTS /usr/bin/${TOOLCHAIN_PREFIX}-g++${flavour})
    set(CMAKE_C_COMPILER /usr/bin/${TOOLCHAIN_PREFIX}-gcc${flavour})
    set(CMAKE_CXX_COMPILER /usr/bin/${TOOLCHAIN_PREFIX}-g++${flavour})
  endif()
endforeach()
set(CMAKE_RC_COMPILER /usr/bin/${TOOLCHAIN_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
