# Builds for finding memory and undefined-behaviour errors, and for fuzzing.
#
#   -DLUMEO_SANITIZE=ON   the whole program and its tests with AddressSanitizer and
#                         UndefinedBehaviorSanitizer; any report fails the test that made it.
#   -DLUMEO_FUZZ=ON       also the libFuzzer targets of fuzz/ (clang only); implies the above.
#                         `cmake --build <folder> --target lumeo_fuzz` builds just them.
#
# Include after the LUMEO_SANITIZE option; fuzz/ is added after the libraries (it does
# nothing unless LUMEO_FUZZ is on).

option(LUMEO_FUZZ "Build the libFuzzer targets in fuzz/ (clang only)" OFF)

if(LUMEO_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "LUMEO_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Every library the targets reach is instrumented for coverage; only the targets
    # themselves link the fuzzing engine (fuzz/CMakeLists.txt).
    add_compile_options(-fsanitize=fuzzer-no-link)
    if(NOT LUMEO_SANITIZE)
        add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
        add_link_options(-fsanitize=address,undefined)
    endif()
endif()

if(LUMEO_SANITIZE OR LUMEO_FUZZ)
    # Light optimisation and line tables only: reports keep file and line, and the build
    # and the instrumented tests stay quick. Assertions stay on.
    set(CMAKE_CXX_FLAGS_RELWITHDEBINFO "-O1 -g1")
    set(CMAKE_C_FLAGS_RELWITHDEBINFO "-O1 -g1")

    # Reports go to the test's output; the defaults that decide failure are built into the
    # executables (fuzz/SanitizerOptions.cpp), so a plain ctest run fails on any report too.
    add_library(lumeo_sanitizer_options OBJECT ${CMAKE_SOURCE_DIR}/fuzz/SanitizerOptions.cpp)

    # Only what the tests need is built: not the program itself nor the benchmark.
    function(lumeo_sanitize_late)
        set(skipped lumeo)
        if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
            get_property(bench_targets DIRECTORY ${CMAKE_SOURCE_DIR}/bench PROPERTY BUILDSYSTEM_TARGETS)
            list(APPEND skipped ${bench_targets})
        endif()
        foreach(target IN LISTS skipped)
            if(TARGET ${target})
                set_target_properties(${target} PROPERTIES EXCLUDE_FROM_ALL TRUE)
            endif()
        endforeach()
        # Every executable gets the sanitizer defaults.
        get_property(subdirectories DIRECTORY ${CMAKE_SOURCE_DIR} PROPERTY SUBDIRECTORIES)
        set(pending ${CMAKE_SOURCE_DIR} ${subdirectories})
        while(pending)
            list(POP_FRONT pending dir)
            get_property(children DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
            list(APPEND pending ${children})
            get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
            foreach(target IN LISTS targets)
                get_target_property(type ${target} TYPE)
                if(type STREQUAL "EXECUTABLE")
                    target_link_libraries(${target} PRIVATE lumeo_sanitizer_options)
                endif()
            endforeach()
        endwhile()
    endfunction()
    cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL lumeo_sanitize_late)
endif()
