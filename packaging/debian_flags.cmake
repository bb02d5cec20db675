# Debian builds every package with the flags dpkg-buildflags gives for its architecture (hardening included),
# and so do we: the program that is packaged is the program that is tested. They come first on each command
# line, so that the build type's and each target's own options (the core's floating-point options) win.
# Not for the Windows build, nor for the sanitizer and fuzz builds, whose options the fortified C library
# would fight.

# The architecture the program runs on: a cross build's toolchain file names it (scripts/aarch64-linux-gnu.cmake).
if(NOT CALC_DEB_ARCH)
    execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE CALC_DEB_ARCH OUTPUT_STRIP_TRAILING_WHITESPACE)
endif()
option(CALC_DEBIAN_FLAGS "Build with the flags of dpkg-buildflags, as the package is" ON)
if(WIN32 OR CALC_SANITIZE OR CALC_FUZZ OR NOT CALC_DEBIAN_FLAGS)
    return()
endif()
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT DPKG_BUILDFLAGS)
    # `make run` does not install dpkg-dev; a package or a test build needs it.
    if(CALC_TESTS)
        message(FATAL_ERROR "dpkg-buildflags (dpkg-dev) is needed to build the program as it is packaged")
    endif()
    message(STATUS "dpkg-buildflags not found: built without Debian's flags")
    return()
endif()
set(deb_flags)
foreach(name CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_HOST_ARCH=${CALC_DEB_ARCH}
                ${DPKG_BUILDFLAGS} --get ${name}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
        OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    set(deb_${name} "${value}")
endforeach()
# Debian 13's dpkg also protects against stack clashes and hijacked jumps (branch protection); Debian 12's
# compiler can do both, its dpkg-buildflags does not yet ask for them.
if(NOT deb_CXXFLAGS MATCHES "-fstack-clash-protection")
    string(APPEND deb_CXXFLAGS " -fstack-clash-protection")
    if(CALC_DEB_ARCH STREQUAL amd64)
        string(APPEND deb_CXXFLAGS " -fcf-protection")
    elseif(CALC_DEB_ARCH STREQUAL arm64)
        string(APPEND deb_CXXFLAGS " -mbranch-protection=standard")
    endif()
endif()
# As debhelper does for CMake: the preprocessor's flags go with the compiler's.
string(PREPEND CMAKE_CXX_FLAGS "${deb_CPPFLAGS} ${deb_CXXFLAGS} ")
foreach(kind EXE SHARED MODULE)
    string(PREPEND CMAKE_${kind}_LINKER_FLAGS "${deb_LDFLAGS} ")
endforeach()
message(STATUS "Debian's flags for ${CALC_DEB_ARCH}: ${deb_CPPFLAGS} ${deb_CXXFLAGS} | ${deb_LDFLAGS}")
