# What building and testing needs, by purpose; sourced by the scripts.
BUILD_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 xvfb xauth fonts-noto-cjk locales)
SCREENSHOT_PACKAGES=(imagemagick x11-utils)
FUZZ_PACKAGES=(clang libclang-rt-dev)
