# Source discovery by folder, so that a new file needs no edit here: portable logic is every
# .cpp of a folder except Win32 code (files ending _win32.cpp, or anything in a win32/ folder).
function(orvane_portable_sources out)
    set(result "")
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp)
        list(FILTER found EXCLUDE REGEX "_win32\\.cpp$")
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# Win32 code of the given folders, without the program entry points (main_win32.cpp).
function(orvane_win32_sources out)
    set(result "")
    foreach(dir IN LISTS ARGN)
        file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*_win32.cpp
             ${PROJECT_SOURCE_DIR}/${dir}/win32/*.cpp)
        list(FILTER found EXCLUDE REGEX "/main_win32\\.cpp$")
        list(APPEND result ${found})
    endforeach()
    set(${out} ${result} PARENT_SCOPE)
endfunction()

# A static library of the project's own code; a folder without sources yet gives an interface
# library, so that targets can name it before its first file lands.
function(orvane_library name sources deps)
    if(sources)
        add_library(${name} STATIC ${sources})
        target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} PUBLIC ${deps})
        orvane_warnings(${name})
    else()
        add_library(${name} INTERFACE)
        target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
        target_link_libraries(${name} INTERFACE ${deps})
    endif()
endfunction()

# One GoogleTest program from every .cpp of a test folder (and its support/ subfolder), with the
# test material every layer shares (tests/common, such as the in-memory canvas).
function(orvane_test_program name dir)
    file(GLOB test_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${dir}/*.cpp
         ${PROJECT_SOURCE_DIR}/${dir}/support/*.cpp)
    if(NOT test_sources)
        return()
    endif()
    file(GLOB common_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/common/*.cpp)
    add_executable(${name} ${test_sources} ${common_sources})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/${dir})
    orvane_warnings(${name})
    set_property(GLOBAL APPEND PROPERTY ORVANE_TEST_PROGRAMS ${name})
endfunction()
