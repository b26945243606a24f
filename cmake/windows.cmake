# Windows builds: one self-contained SLUMBMIX.SCR that imports system DLLs only.
enable_language(RC)

set(WIN_COMPILE -fno-exceptions -fno-rtti -ffunction-sections -fdata-sections)
# No link time stamp in the PE header: the same sources give the same bytes.
# Terminal-Services-aware: on a Remote Desktop host Windows would otherwise
# give the program a private per-user Windows folder, and the scan and the
# dialog would miss the real one. Microsoft's linker sets it by default.
set(WIN_LINK -static -static-libgcc -static-libstdc++ -Wl,--gc-sections -s
  -Wl,--no-insert-timestamp -Wl,--tsaware)
target_compile_options(slumbermix_core PUBLIC ${WIN_COMPILE})

file(GLOB PLATFORM_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
file(GLOB RESOURCE_SOURCES CONFIGURE_DEPENDS res/*.rc)
add_executable(slumbmix WIN32 ${PLATFORM_SOURCES} ${RESOURCE_SOURCES})
set_target_properties(slumbmix PROPERTIES OUTPUT_NAME SLUMBMIX SUFFIX .SCR
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
target_compile_options(slumbmix PRIVATE -Wall -Wextra ${WIN_COMPILE})
target_link_options(slumbmix PRIVATE ${WIN_LINK})
# The core is linked as a whole: its functions are reached only through the
# platform's entry point.
target_link_libraries(slumbmix PRIVATE slumbermix_core
  comctl32 shell32 ole32 user32 gdi32 advapi32 kernel32)
target_include_directories(slumbmix PRIVATE src res)

add_subdirectory(tests/e2e)
add_subdirectory(bench)
add_subdirectory(res)
add_subdirectory(tests/resources)
add_subdirectory(tests/e2e/preview)
add_subdirectory(samples)
add_subdirectory(tests/e2e/hostile)
# The Windows Installer package, and its tests.
add_subdirectory(packaging)
add_subdirectory(tests/package)
