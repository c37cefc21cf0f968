# Windows build (MinGW-w64): the programs, the emulated remote-access service and the tests
# that run under Wine.
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601
                        WINVER=0x0601)
add_link_options(-static -static-libgcc -static-libstdc++)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

set(ORVANE_WIN32_LIBS comctl32 comdlg32 gdi32 user32 shell32 advapi32 ole32 oleaut32 uuid winmm)

orvane_win32_sources(SHELL_SOURCES base app monitor stats dialer launcher remote)
orvane_library(orvane_shell "${SHELL_SOURCES}" "orvane_core;${ORVANE_WIN32_LIBS}")
orvane_win32_sources(TALVEX_SHELL_SOURCES plugin remote)
orvane_library(talvex_shell "${TALVEX_SHELL_SOURCES}" "talvex_core;${ORVANE_WIN32_LIBS}")

# Each shipped program ends quietly on an uncaught exception (see the file).
set(ORVANE_TERMINATE_HANDLER ${PROJECT_SOURCE_DIR}/base/win32/entry/terminate_handler.cpp)

file(GLOB ORVANE_RESOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/app/*.rc)
if(EXISTS ${PROJECT_SOURCE_DIR}/app/main_win32.cpp)
    add_executable(orvane WIN32 app/main_win32.cpp ${ORVANE_TERMINATE_HANDLER} ${ORVANE_RESOURCES})
    target_link_options(orvane PRIVATE -municode)
    target_link_libraries(orvane PRIVATE orvane_shell)
    orvane_warnings(orvane)
endif()

# The shipped language files lie in Languages\ beside the program (copied again whenever one
# changes, since configure_file makes the build depend on it).
file(GLOB ORVANE_LANGUAGE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/Languages/*.lang)
foreach(language_file IN LISTS ORVANE_LANGUAGE_FILES)
    get_filename_component(language_name ${language_file} NAME)
    configure_file(${language_file} ${CMAKE_BINARY_DIR}/bin/Languages/${language_name} COPYONLY)
endforeach()

file(GLOB TALVEX_RESOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/plugin/*.rc)
if(EXISTS ${PROJECT_SOURCE_DIR}/plugin/main_win32.cpp)
    add_executable(talvex WIN32 plugin/main_win32.cpp ${ORVANE_TERMINATE_HANDLER} ${TALVEX_RESOURCES})
    set_target_properties(talvex PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin/plugins)
    target_link_options(talvex PRIVATE -municode)
    target_link_libraries(talvex PRIVATE talvex_shell)
    orvane_warnings(talvex)
endif()

# The emulated remote-access service: loaded in place of Wine's stub from the program folder.
orvane_win32_sources(RASEMU_DLL_SOURCES tools/rasemu)
if(RASEMU_DLL_SOURCES)
    add_library(rasapi32 SHARED ${RASEMU_DLL_SOURCES} tools/rasemu/rasapi32.def)
    set_target_properties(rasapi32 PROPERTIES PREFIX "" OUTPUT_NAME rasapi32)
    target_link_libraries(rasapi32 PRIVATE rasemu_core)
    orvane_warnings(rasapi32)
endif()

# The emulated in-process speech recogniser: registered (regsvr32) in the throw-away Wine prefix
# only, where no recogniser exists, so that talvex can be tested and shown.
orvane_win32_sources(SPEECHEMU_DLL_SOURCES tools/speechemu)
if(SPEECHEMU_DLL_SOURCES)
    add_library(speechemu SHARED ${SPEECHEMU_DLL_SOURCES} tools/speechemu/speechemu.def)
    set_target_properties(speechemu PROPERTIES PREFIX "" OUTPUT_NAME speechemu)
    target_include_directories(speechemu PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(speechemu PRIVATE speechemu_core ole32 advapi32 user32 uuid)
    orvane_warnings(speechemu)
    # COM objects are freed through Release, never through an interface's destructor.
    target_compile_options(speechemu PRIVATE -Wno-non-virtual-dtor)
endif()

# Drives the program's windows from scripts: the demo and its screenshots.
add_executable(orvdriver tools/driver/main_win32.cpp)
target_link_options(orvdriver PRIVATE -municode)
target_link_libraries(orvdriver PRIVATE orvane_shell)
orvane_warnings(orvdriver)

# Started by the launcher's tests: records how it was started.
add_executable(launchprobe WIN32 tools/launchprobe/main_win32.cpp)
target_include_directories(launchprobe PRIVATE ${PROJECT_SOURCE_DIR})
target_link_options(launchprobe PRIVATE -municode)
orvane_warnings(launchprobe)

# The idle measurement (scripts/bench-idle.sh): a program's memory figures as Windows reports
# them, and the two floors: a trivial windowed program with a one-second timer, and one that
# does each second the monitor's visible work of a session (picture, copy, tray tip).
add_executable(procmem tools/procmem/main_win32.cpp)
target_include_directories(procmem PRIVATE ${PROJECT_SOURCE_DIR})
target_link_options(procmem PRIVATE -municode)
target_link_libraries(procmem PRIVATE psapi)
orvane_warnings(procmem)
add_executable(idlefloor WIN32 tools/idlefloor/main_win32.cpp)
target_link_options(idlefloor PRIVATE -municode)
orvane_warnings(idlefloor)
add_executable(drawfloor WIN32 tools/drawfloor/main_win32.cpp)
target_link_options(drawfloor PRIVATE -municode)
target_link_libraries(drawfloor PRIVATE orvane_shell)
orvane_warnings(drawfloor)

# GoogleTest from Debian's sources, built with the MinGW compiler.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

function(orvane_wine_tests name dir label)
    orvane_test_program(${name} ${dir})
    if(NOT TARGET ${name})
        return()
    endif()
    target_link_libraries(${name} PRIVATE orvane_shell orvane_core rasemu_core gtest gmock
                                          gtest_main)
    foreach(needed rasapi32 orvane talvex speechemu launchprobe)
        if(TARGET ${needed})
            add_dependencies(${name} ${needed})
        endif()
    endforeach()
    gtest_discover_tests(${name} TEST_PREFIX "${label}." DISCOVERY_MODE PRE_TEST
                         DISCOVERY_TIMEOUT 120 PROPERTIES LABELS ${label})
endfunction()

orvane_wine_tests(orvane_win32_tests tests/win32 win32)
orvane_wine_tests(orvane_e2e_tests tests/e2e e2e)

# Measures the statistics on MSXML and a virtual list view under Wine (scripts/bench-stats.sh).
if(EXISTS ${PROJECT_SOURCE_DIR}/tools/statsbench/main_win32.cpp)
    add_executable(statsbench tools/statsbench/main_win32.cpp)
    target_link_options(statsbench PRIVATE -municode)
    target_link_libraries(statsbench PRIVATE orvane_shell psapi)
    orvane_warnings(statsbench)
endif()
