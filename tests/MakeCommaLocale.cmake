# Makes the decimal-comma locale of the locale test runs in the build tree:
#   cmake -DLOCALEDEF=<localedef> -DDIR=<folder> -DNAME=de_DE.UTF-8 -P MakeCommaLocale.cmake
# The system need not have the locale installed; its sources come with the
# Debian package "locales". A failure here fails the tests that need it.
if(NOT LOCALEDEF OR NOT EXISTS "${LOCALEDEF}")
    message(FATAL_ERROR "localedef was not found; it comes with the C library (libc-bin)")
endif()
string(REGEX MATCH "^[^.]+" source "${NAME}")
string(REGEX REPLACE "^[^.]+\\." "" charmap "${NAME}")
file(REMOVE_RECURSE "${DIR}/${NAME}")
file(MAKE_DIRECTORY "${DIR}")
execute_process(
    COMMAND "${LOCALEDEF}" -i "${source}" -f "${charmap}" "${DIR}/${NAME}"
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
# 1 means warnings only; the locale is written all the same.
if(NOT (result EQUAL 0 OR result EQUAL 1) OR NOT EXISTS "${DIR}/${NAME}/LC_NUMERIC")
    message(FATAL_ERROR "localedef could not make ${NAME} (${result}): ${output}\n"
                        "The locale sources come with the Debian package \"locales\" "
                        "(bash scripts/install-deps).")
endif()
message(STATUS "made ${DIR}/${NAME}")
