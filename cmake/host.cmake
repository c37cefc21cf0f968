# Host build: the portable core, its unit tests under the sanitizers, and the benchmarks.
find_package(GTest REQUIRED)
find_package(benchmark REQUIRED)
include(GoogleTest)

set(ORVANE_SANITIZE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
foreach(lib orvane_remote orvane_core talvex_core rasemu_core)
    get_target_property(kind ${lib} TYPE)
    if(NOT kind STREQUAL "INTERFACE_LIBRARY")
        target_compile_options(${lib} PRIVATE ${ORVANE_SANITIZE})
    endif()
endforeach()

orvane_test_program(orvane_host_tests tests/host)
if(TARGET orvane_host_tests)
    target_compile_options(orvane_host_tests PRIVATE ${ORVANE_SANITIZE})
    target_link_options(orvane_host_tests PRIVATE ${ORVANE_SANITIZE})
    target_link_libraries(orvane_host_tests PRIVATE orvane_core talvex_core rasemu_core
                                                    GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(orvane_host_tests TEST_PREFIX "host." PROPERTIES LABELS host)
endif()

# Benchmarks link their own optimised, unsanitised copy of the core so the figures are real.
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*.cpp)
if(BENCH_SOURCES)
    add_library(orvane_core_bench STATIC ${CORE_SOURCES} ${REMOTE_SOURCES})
    target_include_directories(orvane_core_bench PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_options(orvane_core_bench PRIVATE -O2)
    add_executable(orvane_bench ${BENCH_SOURCES})
    target_compile_options(orvane_bench PRIVATE -O2)
    target_link_libraries(orvane_bench PRIVATE orvane_core_bench benchmark::benchmark
                                               benchmark::benchmark_main)
    orvane_warnings(orvane_bench)
endif()
