#!/usr/bin/env bash
# The tools build quietly, and show the compiler's error when a build
# breaks: ensure_built in a small project of one source file, broken and
# then mended.
#   usage: ensure_built_test.sh SOURCE_DIR
source "$(dirname "${BASH_SOURCE[0]}")/../scratch.sh"
source_dir=$1
mkdir -p "$work/tools"
cp "$source_dir/tools/lib.sh" "$work/tools/"
cat > "$work/CMakePresets.json" <<'JSON'
{"version": 6, "configurePresets": [{"name": "native", "generator": "Ninja", "binaryDir": "${sourceDir}/build/native"}],
 "buildPresets": [{"name": "native", "configurePreset": "native"}]}
JSON
printf 'cmake_minimum_required(VERSION 3.25)\nproject(t CXX)\nadd_executable(t t.cpp)\n' > "$work/CMakeLists.txt"
fail() { echo "ensure_built_test: $*" >&2; exit 1; }

echo 'int main() { return missing_name; }' > "$work/t.cpp"
if (source "$work/tools/lib.sh" && ensure_built native t) >"$work/out" 2>&1; then fail "a broken build passed"; fi
grep -q "t.cpp.*missing_name" "$work/out" || fail "the compiler's error is not shown: $(cat "$work/out")"
grep -q "building t with the native preset failed" "$work/out" || fail "no closing line: $(cat "$work/out")"

echo 'int main() { return 0; }' > "$work/t.cpp"
(source "$work/tools/lib.sh" && ensure_built native t) >"$work/out" 2>&1 || fail "a good build failed: $(cat "$work/out")"
[ ! -s "$work/out" ] || fail "a good build is not quiet: $(cat "$work/out")"
[ -x "$work/build/native/t" ] || fail "nothing was built"
echo "ensure_built_test: passed"
