# Sanitizer builds, the start-up benchmark and the fuzzers. Each is a build
# tree of its own (see the Makefile): build-asan, build-fuzz; the benchmark
# lives in the ordinary Release tree, outside "all".

set(CABINETCOOL_SANITIZERS "" CACHE STRING
    "Sanitizers for every target, e.g. address,undefined (empty: none)")
option(CABINETCOOL_FUZZ "Build the libFuzzer programs of fuzz/ (clang only)" OFF)
option(CABINETCOOL_BUILD_BENCH "Add the start-up benchmark of bench/ (make bench)" ON)

if(CABINETCOOL_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "The fuzzers need clang: configure with CC=clang CXX=clang++")
    endif()
    if(NOT CABINETCOOL_SANITIZERS)
        set(CABINETCOOL_SANITIZERS "address,undefined" CACHE STRING "" FORCE)
    endif()
endif()

if(CABINETCOOL_SANITIZERS)
    set(cc_sanitize_flags
        -fsanitize=${CABINETCOOL_SANITIZERS}
        -fno-sanitize-recover=all
        -fno-omit-frame-pointer)
    if(CMAKE_BUILD_TYPE STREQUAL "Debug")
        # Unoptimised code under ASan is needlessly slow; -O1 keeps the stacks.
        list(APPEND cc_sanitize_flags -O1)
    endif()
    if(CABINETCOOL_SANITIZERS MATCHES "undefined" AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC leaves a double converted to an integer type it does not fit
        # out of "undefined"; the chart coordinates are such conversions.
        list(APPEND cc_sanitize_flags -fsanitize=float-cast-overflow)
    endif()
    target_compile_options(cc_settings INTERFACE ${cc_sanitize_flags})
    target_link_options(cc_settings INTERFACE ${cc_sanitize_flags})

    # ctest runs this before any test, so that a plain `ctest` in this tree
    # reports leaks and undefined behaviour the same way `make test` does.
    # Settings a developer has exported win.
    set(CC_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_SOURCE_DIR}/scripts/lsan-suppressions.txt)
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/SanitizerEnvironment.cmake
"if(NOT DEFINED ENV{ASAN_OPTIONS})
    set(ENV{ASAN_OPTIONS} \"detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:strict_string_checks=1\")
endif()
if(NOT DEFINED ENV{LSAN_OPTIONS})
    set(ENV{LSAN_OPTIONS} \"suppressions=${CC_LSAN_SUPPRESSIONS}:print_suppressions=0\")
endif()
if(NOT DEFINED ENV{UBSAN_OPTIONS})
    set(ENV{UBSAN_OPTIONS} \"print_stacktrace=1:halt_on_error=1\")
endif()
")
    set_property(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY
                 TEST_INCLUDE_FILES ${CMAKE_CURRENT_BINARY_DIR}/SanitizerEnvironment.cmake)
endif()

if(CABINETCOOL_FUZZ)
    # Coverage feedback from the libraries under test, not only the targets.
    target_compile_options(cc_settings INTERFACE -fsanitize=fuzzer-no-link)
    add_subdirectory(fuzz)
elseif(CABINETCOOL_BUILD_BENCH AND NOT CABINETCOOL_SANITIZERS)
    add_subdirectory(bench)
endif()
