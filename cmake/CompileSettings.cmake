# One place for the language standard and the warnings of every target.
add_library(cc_settings INTERFACE)
target_compile_features(cc_settings INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(cc_settings INTERFACE -Wall -Wextra -Wpedantic)
if(CABINETCOOL_WERROR)
    target_compile_options(cc_settings INTERFACE -Werror)
endif()
set(CMAKE_EXPORT_COMPILE_COMMANDS ON)
