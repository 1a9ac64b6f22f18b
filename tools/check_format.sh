#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of ours is not as clang-format (.clang-format) writes it.
# tools/check_format.sh --fix rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h' -not -path './build*')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
report=$(mktemp)
trap 'rm -f "$report"' EXIT
if ! clang-format --dry-run --Werror "${files[@]}" 2>"$report"; then
    grep -o '^[^:]*\.\(cpp\|h\)' "$report" | sort -u | sed 's/^/not formatted: /' >&2
    echo "run tools/check_format.sh --fix" >&2
    exit 1
fi
echo "format: ${#files[@]} files as clang-format writes them"
