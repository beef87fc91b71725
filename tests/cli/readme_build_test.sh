#!/usr/bin/env bash
# Builds the example project that the README shows under "Use it in a
# build", once with make and once with CMake, and checks that the program
# writes the image's packed bytes, and again after the image changes.
#   usage: readme_build_test.sh SOURCE_DIR QUILLGRID_CLI QG_MAKE_BMP
source "$(dirname "${BASH_SOURCE[0]}")/../scratch.sh"
source_dir=$1
cli=$(realpath "$2")
make_bmp=$(realpath "$3")
cd "$work"

# Each fenced block that follows a "<!-- file: NAME -->" line becomes NAME.
mkdir project
awk '
  /^<!-- file: [^ ]+ -->$/ { name = $3; next }
  name != "" && /^```/ { if (inside) { inside = 0; name = "" } else { inside = 1 }; next }
  inside { print > ("project/" name) }
' "$source_dir/README.md"
for f in main.c Makefile CMakeLists.txt; do
  [ -s "project/$f" ] || { echo "README has no block for $f"; exit 1; }
done

"$make_bmp" 40 16 changed.bmp changed.raw >/dev/null
printf 'BM not an image' > broken.bmp

# Runs the built firmware and compares what it writes with the bytes of
# the image it was built from.
check() {
  local firmware=$1 image=$2
  "$cli" --binary "$image" > expected.bin
  "$firmware" > written.bin
  cmp expected.bin written.bin
  echo "ok: $firmware writes the $(stat -c %s written.bin) bytes of $image"
}

# Makes the built files older than anything copied in afterwards.
age() { touch -d '2000-01-01' "$@"; }

echo "== make"
cp -r project with-make
cp "$source_dir/samples/logo.bmp" with-make/logo.bmp
make -s -C with-make QUILLGRID_CLI="$cli"
check with-make/firmware "$source_dir/samples/logo.bmp"
age with-make/logo.h with-make/firmware
cp changed.bmp with-make/logo.bmp
make -s -C with-make QUILLGRID_CLI="$cli"
check with-make/firmware changed.bmp
# A broken image stops the build and leaves the last header as it was.
cp with-make/logo.h kept.h
age with-make/logo.h with-make/firmware
cp broken.bmp with-make/logo.bmp
if make -s -C with-make QUILLGRID_CLI="$cli" 2>make-errors.txt; then
  echo "make accepted a broken image"; exit 1
fi
grep -q "logo.bmp: unsupported BMP" make-errors.txt
cmp kept.h with-make/logo.h
echo "ok: make stops on a broken image"

echo "== CMake"
cp -r project with-cmake
cp "$source_dir/samples/logo.bmp" with-cmake/logo.bmp
cmake -S with-cmake -B cmake-build -G Ninja -DQUILLGRID_CLI="$cli" >/dev/null
cmake --build cmake-build >/dev/null
check cmake-build/firmware "$source_dir/samples/logo.bmp"
age cmake-build/logo.h cmake-build/firmware
cp changed.bmp with-cmake/logo.bmp
cmake --build cmake-build >/dev/null
check cmake-build/firmware changed.bmp
