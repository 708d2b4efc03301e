#!/bin/sh
# Builds the GDI tests (Win32 API only) with MinGW against the real
# <windows.h> and runs them under Wine, to compare the host GDI with
# another implementation of the same calls. Optional; needs
# g++-mingw-w64-x86-64, wine and xvfb. Usage: run-under-wine.sh [gtest args]
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../../.." && pwd)
out=${OUT:-/tmp/ostrevia-wine-gdi}
gtest=/usr/src/googletest/googletest
mkdir -p "$out"
cxx="x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -static -DUNICODE -D_UNICODE -DNOMINMAX"
includes="-I$root -I$here -I$gtest/include -I$gtest"
if [ ! -f "$out/gtest.o" ]; then
    $cxx $includes -c "$gtest/src/gtest-all.cc" -o "$out/gtest.o"
    $cxx $includes -c "$gtest/src/gtest_main.cc" -o "$out/gtest_main.o"
fi
$cxx $includes -include "$here/Portability.h" -DOSTREVIA_TEST_DATA="\"Z:$root/tests/data\"" \
    "$here"/../BitBltTest.cpp "$here"/../DibCanvas.cpp "$here"/../DibFileTest.cpp "$here"/../DrawingSampleTest.cpp \
    "$here"/../FrameControlTest.cpp "$here"/../ObjectsTest.cpp "$here"/../ShapesTest.cpp "$here"/../TextTest.cpp \
    "$root"/tests/support/TestFiles.cpp "$here"/WindowsHooks.cpp "$out/gtest.o" "$out/gtest_main.o" \
    -o "$out/gdi_tests.exe" -lgdi32 -luser32
# A prefix of its own, so that other Wine users of the machine are not disturbed.
export WINEPREFIX="${WINEPREFIX:-$out/prefix}"
WINEDEBUG=-all timeout 600 xvfb-run -a wine "$out/gdi_tests.exe" "$@"
