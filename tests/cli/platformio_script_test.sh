#!/usr/bin/env bash
# The PlatformIO pre-build script, run as another build would run it
# (python3 quillgrid_images.py IMAGES HEADER OPTIONS...): it writes the
# header of every image, the CLI's own C forms; a second run writes
# nothing; a touched image, or other options, write it again.
#   usage: platformio_script_test.sh SOURCE_DIR QUILLGRID_CLI
source "$(dirname "${BASH_SOURCE[0]}")/../scratch.sh"
source_dir=$1
export QUILLGRID_CLI=$(realpath "$2")
command -v python3 >/dev/null || { echo "skipped: python3 is not installed"; exit 0; }
cd "$work"
script=$source_dir/examples/platformio/quillgrid_images.py
mkdir images
cp "$source_dir/samples/logo.bmp" images/logo.bmp
cp "$source_dir/samples/gradient.png" "images/2 ramp.png"

run() { python3 "$script" images include/images.h "$@"; }
[ "$(run --preset ssd1306)" = "quillgrid_images: include/images.h written" ]
{
  printf '#ifndef QUILLGRID_IMAGES_H\n#define QUILLGRID_IMAGES_H\n\n'
  "$QUILLGRID_CLI" --preset ssd1306 --c-array _2_ramp -- "images/2 ramp.png"; echo
  "$QUILLGRID_CLI" --preset ssd1306 --c-array logo -- images/logo.bmp; echo
  printf '#endif\n'
} > expected.h
cmp expected.h include/images.h
echo "ok: the header holds each image's C form, named after its file"
[ "$(run --preset ssd1306)" = "quillgrid_images: include/images.h is up to date" ]
echo "ok: a second run writes nothing"
sleep 1
touch images/logo.bmp
[ "$(run --preset ssd1306)" = "quillgrid_images: include/images.h written" ]
[ "$(run --preset xbm)" = "quillgrid_images: include/images.h written" ]
echo "ok: a touched image or other options write it again"
printf 'not an image' > images/broken.png
if run --preset xbm 2>err.txt; then echo "a broken image was taken"; exit 1; fi
grep -q 'broken.png was not converted' err.txt
echo "ok: an image that cannot be converted stops the build with its reason"
