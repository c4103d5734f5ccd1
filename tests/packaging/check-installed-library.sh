#!/usr/bin/env bash
# Installs the Tarvonel component of a build tree into a scratch prefix, then builds and runs the
# consumer program twice: configured with find_package(Tarvonel), and compiled by hand with the
# flags `pkg-config --cflags --libs tarvonel` gives for that prefix.
set -euo pipefail

if [ $# -ne 9 ]; then
  echo "usage: $0 CMAKE BUILD_DIR CONFIG LIBRARY CONSUMER_DIR SCRATCH_DIR GENERATOR CXX EXTRA_FLAGS" >&2
  exit 2
fi
cmake_bin=$1 build_dir=$2 config=$3 library=$4 consumer_dir=$5 scratch=$6 generator=$7 cxx=$8 extra_flags=$9

if [ ! -f "$library" ]; then
  echo "FAIL: $library is not built; build the target tarvonel first" >&2
  exit 1
fi

rm -rf "$scratch"
prefix=$scratch/prefix
mkdir -p "$scratch"

step() { echo "== $*"; }

step "install the tarvonel component into $prefix"
"$cmake_bin" --install "$build_dir" --config "$config" --component tarvonel --prefix "$prefix"

# Exactly the library's files, nothing of the rest of the project.
unexpected=$(cd "$prefix" && find . -type f ! -path './include/tarvonel/*' ! -path './lib*/libtarvonel.so*' \
  ! -path './lib*/cmake/Tarvonel/*' ! -path './lib*/pkgconfig/tarvonel.pc' | sort)
if [ -n "$unexpected" ]; then
  echo "FAIL: the component installs files that are not the library's:" >&2
  echo "$unexpected" >&2
  exit 1
fi
if [ -n "$(cd "$prefix" && find . -path './include/tarvonel/detail*')" ]; then
  echo "FAIL: library-internal headers were installed" >&2
  exit 1
fi

step "configure and build the consumer with find_package(Tarvonel)"
"$cmake_bin" -S "$consumer_dir" -B "$scratch/consumer-cmake" -G "$generator" \
  -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE="$config" \
  -DCMAKE_CXX_FLAGS="$extra_flags" -DCMAKE_EXE_LINKER_FLAGS="$extra_flags"
"$cmake_bin" --build "$scratch/consumer-cmake" --config "$config"
consumer=$(find "$scratch/consumer-cmake" -type f -name tarvonel_consumer -perm -u+x -print -quit)
[ -n "$consumer" ] || { echo "FAIL: the consumer program was not built" >&2; exit 1; }

step "run the consumer (CMake package)"
# It must find the installed library, not the one in the build tree.
LD_LIBRARY_PATH= "$consumer"
# (ldd's output is kept first: grep -q closing the pipe early would fail it under pipefail.)
loaded=$(ldd "$consumer")
if ! grep -q "libtarvonel\.so\.1 => $prefix/" <<<"$loaded"; then
  echo "FAIL: the consumer does not load the installed library:" >&2
  echo "$loaded" >&2
  exit 1
fi

step "pkg-config --cflags --libs tarvonel"
libdir=$(dirname "$(find "$prefix" -name tarvonel.pc -print -quit)")
export PKG_CONFIG_PATH="$libdir" PKG_CONFIG_LIBDIR="$libdir"
pc_flags=$(pkg-config --cflags --libs tarvonel)
echo "$pc_flags"
pc_libdir=$(pkg-config --variable=libdir tarvonel)
pc_includedir=$(pkg-config --variable=includedir tarvonel)
if [ "$(cd "$pc_libdir" && pwd -P)" != "$(cd "$libdir/.." && pwd -P)" ] ||
   [ "$(cd "$pc_includedir" && pwd -P)" != "$(cd "$prefix/include" && pwd -P)" ]; then
  echo "FAIL: tarvonel.pc does not point into $prefix (libdir $pc_libdir, includedir $pc_includedir)" >&2
  exit 1
fi

# The consumer chooses its language standard; the library only states its minimum.
if grep -q -- '-std=' <<<"$pc_flags"; then
  echo "FAIL: tarvonel.pc forces a language standard on its users: $pc_flags" >&2
  exit 1
fi

step "compile and run the consumer with the pkg-config flags, as C++20 and as C++23"
# Strict warnings here: the installed headers must compile cleanly in other people's programs.
for std in c++20 c++2b; do
  # shellcheck disable=SC2086 # the flags are meant to be split
  "$cxx" -std=$std -Wall -Wextra -Wpedantic -Werror $extra_flags -o "$scratch/consumer-pc" \
    "$consumer_dir/main.cpp" $pc_flags
  LD_LIBRARY_PATH="$pc_libdir" "$scratch/consumer-pc"
done

step "one include directory in the exported target"
includes=$(grep -o 'INTERFACE_INCLUDE_DIRECTORIES "[^"]*"' "$(find "$prefix" -name TarvonelTargets.cmake -print -quit)")
if [ "$(tr ';' '\n' <<<"$includes" | grep -c include)" -ne 1 ]; then
  echo "FAIL: the exported include directories repeat: $includes" >&2
  exit 1
fi

step "the library file follows its SONAME"
soname=$(readelf -d "$(find "$prefix" -name 'libtarvonel.so.1.*' -print -quit)" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
real=$(basename "$(find "$prefix" -name 'libtarvonel.so.1.*' -print -quit)")
if [ "$soname" != libtarvonel.so.1 ] || [[ $real != "$soname".* ]]; then
  echo "FAIL: library file $real with SONAME $soname" >&2
  exit 1
fi

echo "== installed library OK"
