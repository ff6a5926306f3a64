#!/usr/bin/env bash
# The code's habits, checked with no finding allowed:
# - every C++ file is laid out as .clang-format says (clang-format-14);
# - the product code (core, cli, files, ui) passes the checks of .clang-tidy:
#   functions of at most 60 lines, nothing unused, the bug patterns.
# clang-tidy reads build/compile_commands.json, so scripts/build.sh runs first.
#   lint.sh           check both
#   lint.sh --format  lay the files out anew instead of checking them
set -euo pipefail
cd "$(dirname "$0")/.."

# The folders of our C++ code (a fresh clone may be checked without git).
folders=(core cli files ui testsupport tests fuzz bench)
mapfile -t sources < <(find "${folders[@]}" -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = --format ]; then
    clang-format-14 -i "${sources[@]}"
    exit 0
fi

status=0
clang-format-14 --dry-run --Werror "${sources[@]}" || {
    echo "lint: layout differs from .clang-format (scripts/lint.sh --format lays it out)" >&2
    status=1
}

[ -f build/compile_commands.json ] || { echo "lint: build/compile_commands.json missing; run scripts/build.sh first" >&2; exit 1; }
mapfile -t product < <(find core cli files ui -name '*.cpp' | sort)
# Files that the build does not compile (a window left out) cannot be checked.
checked=()
for f in "${product[@]}"; do
    grep -q "\"file\": \"$PWD/$f\"" build/compile_commands.json && checked+=("$PWD/$f")
done
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# One file at a time on two cores; only findings are printed.
printf '%s\n' "${checked[@]}" |
    xargs -P 2 -n 1 clang-tidy-14 -p build --quiet >"$log" 2>/dev/null || true
findings=$(grep -c -E ': (warning|error): ' "$log" || true)
if [ "$findings" -ne 0 ]; then
    grep -A3 -E ': (warning|error): ' "$log" >&2
    echo "lint: $findings clang-tidy finding(s)" >&2
    status=1
else
    echo "lint: ${#sources[@]} files laid out, ${#checked[@]} product files without a clang-tidy finding"
fi
exit $status
