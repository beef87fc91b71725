# Sourced by the test scripts: stop at the first failure, and a scratch
# folder of the script's own in $work, removed when the script ends.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
