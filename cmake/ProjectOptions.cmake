# The options every target of the project is built with, as one interface target that the
# libraries pass on to whatever links them.
add_library(quadrello_options INTERFACE)
target_compile_options(quadrello_options INTERFACE
    -Wall -Wextra
    # Every arithmetic step is one rounded double operation: no fused multiply-add.
    -ffp-contract=off
    $<$<BOOL:${QUADRELLO_WERROR}>:-Werror>)
if(WIN32)
    # One self-contained executable: the C++ runtime and threads linked in, no MinGW DLLs.
    target_link_options(quadrello_options INTERFACE -static)
endif()
if(QUADRELLO_SANITIZE)
    target_compile_options(quadrello_options INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(quadrello_options INTERFACE -fsanitize=address,undefined)
endif()

# quadrello_std_only(TARGET): a target of the standard library alone, with no Qt code generation.
function(quadrello_std_only target)
    set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTOUIC OFF AUTORCC OFF)
endfunction()

# quadrello_no_restrict_warning(FILE...): GCC 12 warns wrongly about overlapping copies inside
# std::string's operator+ when optimising (GCC bug 105329). Off for these files only, and only
# with that compiler.
function(quadrello_no_restrict_warning)
    set_source_files_properties(${ARGN} DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} PROPERTIES
        COMPILE_OPTIONS
        "$<$<AND:$<CXX_COMPILER_ID:GNU>,$<VERSION_LESS:$<CXX_COMPILER_VERSION>,13>>:-Wno-restrict>")
endfunction()
