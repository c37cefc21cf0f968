# Release programs for Windows are shipped, so keep them small: every function and datum in a
# section of its own lets the linker drop what nothing calls, -s drops the symbols and the static
# runtime's debug sections, and -Os costs the one-second tick nothing measurable. No run-time type
# information either: nothing uses dynamic_cast or typeid, and it saves 18 KB. No exceptions:
# nothing catches one, and the library's throws end the program at once
# (base/win32/entry/terminate_handler.cpp), so the code that would unwind through our functions
# is never run; leaving it out saves 34 KB of orvane.exe. Included before any library is
# declared, so that the portable libraries are built the same way; the test programs share the
# flags.
add_compile_options("$<$<CONFIG:Release>:-Os;-ffunction-sections;-fdata-sections>"
                    "$<$<AND:$<CONFIG:Release>,$<COMPILE_LANGUAGE:CXX>>:-fno-rtti;-fno-exceptions>")
add_link_options("$<$<CONFIG:Release>:-Wl,--gc-sections;-s>")
# The statistics file's reader and writer go through the whole file at start-up (25 MB for
# 100 000 sessions): optimised for speed, they open it in about 100 ms instead of 170 ms.
set_source_files_properties(${PROJECT_SOURCE_DIR}/stats/statistics_xml.cpp
                            PROPERTIES COMPILE_OPTIONS "$<$<CONFIG:Release>:-O2>")
# The i686 programs unwind by DWARF tables (.eh_frame), which without exceptions only the
# library's own throws could read, and those end the program anyway (see above): 90 KB of
# orvane.exe. The x86-64 unwind data (.pdata/.xdata) is part of the Windows ABI and stays.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
    add_compile_options("$<$<CONFIG:Release>:-fno-asynchronous-unwind-tables>")
endif()
