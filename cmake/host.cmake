# Host build: the portable core and its unit tests under the sanitizers (preset host), or the
# benchmarks on an optimised, unsanitised core (preset bench). Each preset compiles the core
# once.
option(ORVANE_BENCHMARKS "Build the benchmarks instead of the sanitised unit tests" OFF)
include(GoogleTest)

if(ORVANE_BENCHMARKS)
    find_package(benchmark REQUIRED)
    file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*.cpp)
    add_executable(orvane_bench ${BENCH_SOURCES})
    target_link_libraries(orvane_bench PRIVATE orvane_core benchmark::benchmark
                                               benchmark::benchmark_main)
    orvane_warnings(orvane_bench)
    return()
endif()

find_package(GTest REQUIRED)
# The statistics reader's fast path is checked against a complete XML parser.
find_package(LibXml2 REQUIRED)
set(ORVANE_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
foreach(lib orvane_remote orvane_core talvex_core rasemu_core speechemu_core)
    get_target_property(kind ${lib} TYPE)
    if(NOT kind STREQUAL "INTERFACE_LIBRARY")
        target_compile_options(${lib} PRIVATE ${ORVANE_SANITIZE})
    endif()
endforeach()

orvane_test_program(orvane_host_tests tests/host)
if(TARGET orvane_host_tests)
    target_compile_options(orvane_host_tests PRIVATE ${ORVANE_SANITIZE})
    # The shipped language files are checked against the layout tables.
    target_compile_definitions(orvane_host_tests PRIVATE ORVANE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    target_link_options(orvane_host_tests PRIVATE ${ORVANE_SANITIZE})
    target_link_libraries(orvane_host_tests PRIVATE orvane_core talvex_core rasemu_core speechemu_core
                                                    GTest::gtest GTest::gmock GTest::gtest_main
                                                    LibXml2::LibXml2)
    # Listed when the tests run, not after every link: a one-file change relinks and stops.
    gtest_discover_tests(orvane_host_tests TEST_PREFIX "host." DISCOVERY_MODE PRE_TEST
                         PROPERTIES LABELS host)
endif()
