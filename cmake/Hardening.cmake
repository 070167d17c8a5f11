# Hardening, as Debian builds its packages (dpkg-buildflags with hardening=+all), for every build
# of the tree: the README's, the package's, CI's. For ELF targets only: the Windows cross-build
# (MinGW-w64, static) links with its own options.
#   stack protector     -fstack-protector-strong
#   _FORTIFY_SOURCE=2   checked string and memory calls; needs optimisation, so not in Debug,
#                       and not under the sanitizers, whose own checks it would bypass
#   format checks       -Wformat -Werror=format-security
#   relro + now         the relocation tables read-only after start, every symbol bound at start
#   PIE                 the executables are position independent (Qt compiles its users -fPIC)
#   stack clash, CET    -fstack-clash-protection and -fcf-protection, where the compiler has them
#                       for the target (Debian adds both from dpkg 1.22 on; hardening-check asks
#                       for them)
# Where dpkg-buildflags' values are set in the environment (CPPFLAGS, CXXFLAGS, LDFLAGS, as
# dpkg-buildpackage exports them) they are taken instead of the matching defaults here.
option(QUADRELLO_HARDENING "Build with Debian's hardening flags (ELF targets)" ON)
if(NOT QUADRELLO_HARDENING OR WIN32 OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    return()
endif()

set(quadrello_optimised "$<NOT:$<CONFIG:Debug>>")
if(DEFINED ENV{CPPFLAGS})
    # CMake reads CXXFLAGS and LDFLAGS by itself, but not CPPFLAGS.
    separate_arguments(quadrello_env_cppflags UNIX_COMMAND "$ENV{CPPFLAGS}")
    add_compile_options(${quadrello_env_cppflags})
elseif(NOT QUADRELLO_SANITIZE)
    add_compile_options(-Wdate-time "$<${quadrello_optimised}:-U_FORTIFY_SOURCE>"
                        "$<${quadrello_optimised}:-D_FORTIFY_SOURCE=2>")
endif()

if(NOT CMAKE_CXX_FLAGS MATCHES "-fstack-protector")
    add_compile_options(-fstack-protector-strong)
endif()
include(CheckCXXCompilerFlag)
foreach(flag IN ITEMS -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "quadrello_has${flag}" supported)
    check_cxx_compiler_flag(${flag} ${supported})
    if(${supported} AND NOT CMAKE_CXX_FLAGS MATCHES "${flag}")
        add_compile_options(${flag})
    endif()
endforeach()
if(NOT CMAKE_CXX_FLAGS MATCHES "format-security")
    add_compile_options(-Wformat -Werror=format-security)
endif()

# The executables are linked as PIE; every object is position independent for it.
add_compile_options(-fPIC)
add_link_options("$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:-pie>")
foreach(flag IN ITEMS relro now)
    if(NOT CMAKE_EXE_LINKER_FLAGS MATCHES "-z,${flag}")
        add_link_options(LINKER:-z,${flag})
    endif()
endforeach()
