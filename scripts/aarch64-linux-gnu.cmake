# The arm64 build: cross-built on amd64 Debian through multiarch (qt6-base-dev:arm64 beside the amd64 one),
# its programs run under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
# Libraries and CMake packages from /usr/lib/aarch64-linux-gnu; Qt's build tools (moc, rcc) are the amd64
# ones, which Qt's arm64 packages find through QT_HOST_PATH.
set(CMAKE_LIBRARY_ARCHITECTURE aarch64-linux-gnu)
set(QT_HOST_PATH /usr)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CALC_DEB_ARCH arm64)
# The arm64 C library and Qt are installed in / beside the amd64 ones, so qemu needs no other root.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64-static)
# GCC notes that arm64 passed some pairs differently before GCC 10.1; everything here is built by one GCC.
set(CMAKE_CXX_FLAGS_INIT -Wno-psabi)
