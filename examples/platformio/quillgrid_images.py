# A PlatformIO pre-build script: turns the images of a folder into one
# header with quillgrid-cli, before the firmware is compiled, and only when
# an image, the options or quillgrid-cli changed since the header was made.
# Each image becomes an array named after its file (logo.png: logo).
#
# In platformio.ini:
#   extra_scripts = pre:quillgrid_images.py
#   custom_quillgrid_images = images              ; the folder (default: images)
#   custom_quillgrid_header = include/images.h    ; the header (default: this)
#   custom_quillgrid_options = --preset ssd1306   ; quillgrid-cli's options
#   custom_quillgrid_cli = quillgrid-cli          ; the program (default: on PATH)
#
# By hand, or from another build: python3 quillgrid_images.py IMAGES HEADER [OPTION...]
# (QUILLGRID_CLI names the program).
import hashlib
import os
import re
import shlex
import shutil
import subprocess
import sys

IMAGE_EXTENSIONS = (".png", ".bmp", ".gif", ".pgm", ".ppm")


def image_files(folder):
    return sorted(name for name in os.listdir(folder) if name.lower().endswith(IMAGE_EXTENSIONS))


def array_name(file_name):
    name = re.sub(r"[^A-Za-z0-9_]", "_", os.path.splitext(file_name)[0])
    return "_" + name if name[:1].isdigit() else name


def fingerprint(folder, options, cli):
    """What the header is made from: the options, the program, and each
    image's name, size and time of change."""
    digest = hashlib.sha256()
    digest.update("\0".join(options).encode())
    for path in [cli] + [os.path.join(folder, name) for name in image_files(folder)]:
        info = os.stat(path)
        digest.update(("%s\0%d\0%d\0" % (path, info.st_size, info.st_mtime_ns)).encode())
    return digest.hexdigest()


def make_header(folder, header, options, cli="quillgrid-cli"):
    """Writes `header` unless it is up to date; True when it was written."""
    program = shutil.which(cli) or cli
    stamp = header + ".stamp"
    state = fingerprint(folder, options, program)
    if os.path.exists(header) and os.path.exists(stamp):
        with open(stamp) as previous:
            if previous.read() == state:
                return False
    guard = "QUILLGRID_" + re.sub(r"[^A-Za-z0-9]", "_", os.path.basename(header)).upper()
    text = "#ifndef %s\n#define %s\n\n" % (guard, guard)
    for name in image_files(folder):
        result = subprocess.run([program] + options + ["--c-array", array_name(name), "--", os.path.join(folder, name)],
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE, check=False)
        if result.returncode != 0:
            sys.stderr.write(result.stderr.decode(errors="replace"))
            raise SystemExit("quillgrid_images: %s was not converted" % name)
        text += result.stdout.decode() + "\n"
    text += "#endif\n"
    os.makedirs(os.path.dirname(os.path.abspath(header)), exist_ok=True)
    with open(header + ".new", "w") as out:
        out.write(text)
    os.replace(header + ".new", header)
    with open(stamp, "w") as out:
        out.write(state)
    return True


def main(arguments):
    if len(arguments) < 2:
        raise SystemExit("usage: quillgrid_images.py IMAGES HEADER [OPTION...]")
    folder, header, options = arguments[0], arguments[1], arguments[2:]
    written = make_header(folder, header, options, os.environ.get("QUILLGRID_CLI", "quillgrid-cli"))
    print("quillgrid_images: %s %s" % (header, "written" if written else "is up to date"))


try:
    Import("env")  # noqa: F821 (PlatformIO's SCons gives it)
except NameError:
    if __name__ == "__main__":
        main(sys.argv[1:])
else:
    project = env.GetProjectOption  # noqa: F821
    root = env.subst("$PROJECT_DIR")  # noqa: F821

    def option(name, default):
        try:
            return project(name)
        except Exception:  # not given in platformio.ini
            return default

    folder = os.path.join(root, option("custom_quillgrid_images", "images"))
    header = os.path.join(root, option("custom_quillgrid_header", "include/images.h"))
    if make_header(folder, header, shlex.split(option("custom_quillgrid_options", "")),
                   option("custom_quillgrid_cli", "quillgrid-cli")):
        print("quillgrid_images: %s written" % header)
