# Warnings for our own code only; third-party sources keep their own flags.
if(NOT TARGET brelt_warnings)
    add_library(brelt_warnings INTERFACE)
    target_compile_options(brelt_warnings INTERFACE -Wall -Wextra -Wpedantic -Werror)
endif()
