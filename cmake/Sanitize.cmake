# Builds for finding memory and undefined-behaviour errors, and for fuzzing.
#
#   -DLUMEO_SANITIZE=ON   the whole program and its tests with AddressSanitizer and
#                         UndefinedBehaviorSanitizer; any report fails the test that made it.
#   -DLUMEO_FUZZ=ON       also the libFuzzer targets of fuzz/ (clang only); implies the above.
#                         `cmake --build <folder> --target lumeo_fuzz` builds just them.
#
# Include after the LUMEO_SANITIZE option. Neither build makes the program itself nor the
# benchmark (app/ and the top CMakeLists.txt leave them out).

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

    # Reports go to the test's output. The settings that decide failure reach every test, and
    # the programs it starts, through its environment (tests/CMakeLists.txt); the fuzz targets
    # have them built in (fuzz/SanitizerOptions.cpp). Dynamic TLS tracking is off: the leak
    # checker's walk of it crashes at exit once a plugin with thread-local data has come and
    # gone (seen with glibc 2.36).
    set(LUMEO_SANITIZER_ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:intercept_tls_get_addr=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()
