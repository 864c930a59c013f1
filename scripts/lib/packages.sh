# What the scripts need, by purpose; sourced by ensure-packages.sh. For each purpose, the Debian packages
# to install (NAME_PACKAGES) and what the scripts then call, as command:package (or /file:package for a
# file that no command shows missing), checked after installing (NAME_NEEDS).
# Debian's wine64 holds only the loader: the wine, wineserver and wineboot commands come from wine.
# Wine's own fonts (Tahoma, Marlett for the title-bar buttons) are fonts-wine, which wine only recommends.
# A minimal Debian lacks even procps (ps) and e2fsprogs (chattr, for the read-only folder tests).
# Installing as any user but root goes through sudo, checked the same way before it is called.
SUDO_NEED="sudo:sudo"

BUILD_PACKAGES=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev)
BUILD_NEEDS="cmake:cmake ctest:cmake ninja:ninja-build g++:g++ /usr/src/googletest/CMakeLists.txt:googletest"

WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 fonts-wine xvfb xauth fonts-noto-cjk locales e2fsprogs)
WINDOWS_NEEDS="x86_64-w64-mingw32-gcc-posix:gcc-mingw-w64-x86-64-posix
    x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64
    x86_64-w64-mingw32-objdump:binutils-mingw-w64-x86-64 wine:wine wineserver:wine wineboot:wine
    /usr/share/wine/fonts/marlett.ttf:fonts-wine Xvfb:xvfb /usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc:fonts-noto-cjk
    localedef:libc-bin /usr/share/i18n/locales/ja_JP:locales chattr:e2fsprogs"

SCREENSHOT_PACKAGES=(imagemagick x11-utils procps)
SCREENSHOT_NEEDS="/usr/bin/import:imagemagick xwininfo:x11-utils ps:procps"

PACKAGE_PACKAGES=(git)
PACKAGE_NEEDS="git:git"

FUZZ_PACKAGES=(clang libclang-rt-dev)
FUZZ_NEEDS="clang++:clang"
