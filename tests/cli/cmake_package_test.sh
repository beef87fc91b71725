#!/usr/bin/env bash
# The CMake package, installed as a user installs it: a project that calls
# find_package(Quillgrid) and quillgrid_add_images() builds from a clean
# folder and its program writes each image's bytes; a second build does no
# work; touching one image runs the converter for that image alone; new
# options run it for every image of the header they are given for; a
# target takes two headers; examples/cmake builds and runs; with
# avr-gcc, the same project builds for an ATmega328P.
#   usage: cmake_package_test.sh SOURCE_DIR BUILD_DIR QG_MAKE_BMP
source "$(dirname "${BASH_SOURCE[0]}")/../scratch.sh"
source_dir=$1
build_dir=$(realpath "$2")
make_bmp=$(realpath "$3")
cd "$work"

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
cli=$work/prefix/bin/quillgrid-cli
mkdir images
"$make_bmp" 24 10 images/logo.bmp images/logo.raw >/dev/null
"$make_bmp" 9 9 "images/icon 2.bmp" images/icon.raw >/dev/null
rm images/*.raw

# The bytes the program should write: each image as the CLI packs it.
expected() {
  "$cli" "$@" --binary "images/icon 2.bmp" > expected.bin
  "$cli" "$@" --binary images/logo.bmp >> expected.bin
  printf '9 x 9, 24 x 10\n' >> expected.bin
}
check() {
  b/show > written.bin
  cmp expected.bin written.bin
}
converted() { grep -c 'quillgrid-cli' "$1" || true; }

cmake -S "$source_dir/tests/cmake_package" -B b -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
  -DIMAGES_DIR="$work/images" "-DQG_OPTIONS=--preset;ssd1306" >/dev/null
ninja -C b -v > first.log
[ "$(converted first.log)" = 3 ] || { echo "a clean build converted $(converted first.log) images, not 3"; exit 1; }
expected --preset ssd1306
check
echo "ok: a clean build converts the images of both headers and the program writes their bytes"

plan=$(ninja -C b -n)
[ "$plan" = "ninja: Entering directory \`b'
ninja: no work to do." ] || { echo "a second build has work: $plan"; exit 1; }
echo "ok: a second build does no work"

sleep 1
touch images/logo.bmp
ninja -C b -v > touched.log
[ "$(converted touched.log)" = 1 ] && grep -q 'logo.bmp' touched.log ||
  { echo "touching logo.bmp converted:"; grep quillgrid-cli touched.log; exit 1; }
check
echo "ok: touching one image converts that image alone"

cmake -S "$source_dir/tests/cmake_package" -B b "-DQG_OPTIONS=--preset;xbm;--invert" >/dev/null
ninja -C b -v > options.log
[ "$(converted options.log)" = 2 ] || { echo "new options converted $(converted options.log) images, not 2"; exit 1; }
expected --preset xbm --invert
check
echo "ok: new options convert every image again"

font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
if [ -f "$font" ]; then
  cmake -S "$source_dir/tests/cmake_package" -B b -DFONT_FILE="$font" >/dev/null
  ninja -C b -v > fonts.log || { cat fonts.log; exit 1; }
  { "$cli" --vlw --font-size 12 --glyphs digits -o - "$font"
    printf 'Quillgrid\n' > letters.txt
    "$cli" --vlw --font-size 9 --text letters.txt -o - "$font"; } > expected-fonts.bin
  b/fonts > written-fonts.bin
  cmp expected-fonts.bin written-fonts.bin
  plan=$(ninja -C b -n)
  [ "$plan" = "ninja: Entering directory \`b'
ninja: no work to do." ] || { echo "a second build has work: $plan"; exit 1; }
  echo "ok: quillgrid_add_fonts makes two fonts for one target, as quillgrid-cli makes them, once"
else
  echo "skipped: DejaVu is not installed (tools/bootstrap cli)"
fi

cmake -S "$source_dir/examples/cmake" -B example -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
ninja -C example >/dev/null
[ "$(example/show | wc -l)" = 64 ] || { echo "the example drew $(example/show | wc -l) lines, not 64"; exit 1; }
echo "ok: examples/cmake builds and draws its two images"

if command -v avr-gcc >/dev/null; then
  cmake -S "$source_dir/tests/cmake_package" -B avr -G Ninja -DCMAKE_TOOLCHAIN_FILE="$source_dir/tests/cmake_package/avr.cmake" \
    -DQuillgrid_DIR="$work/prefix/lib/cmake/Quillgrid" -DIMAGES_DIR="$work/images" "-DQG_OPTIONS=--c-style;arduino" >/dev/null
  ninja -C avr > avr.log || { cat avr.log; exit 1; }
  echo "ok: the same project builds for an ATmega328P with avr-gcc"
else
  echo "skipped: avr-gcc is not installed"
fi
