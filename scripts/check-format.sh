#!/usr/bin/env bash
# Checks that the C++ sources (*.cpp, *.h) follow .clang-format: lists every file clang-format
# would change and exits 1 if there is one. With --fix it formats them in place instead (this is
# what the build's `format` target runs).
# The files are those git knows (tracked, or new and not ignored); outside a git checkout, every
# *.cpp and *.h below the repository except the build and output folders.
# CLANG_FORMAT names the program; by default clang-format, else clang-format-14.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

fix=0
case "${1:-}" in
  --fix) fix=1 ;;
  "") ;;
  *) echo "usage: $0 [--fix]" >&2; exit 2 ;;
esac

program="${CLANG_FORMAT:-}"
if [ -z "$program" ]; then
  for candidate in clang-format clang-format-14; do
    if command -v "$candidate" >/dev/null 2>&1; then
      program="$candidate"
      break
    fi
  done
fi
if [ -z "$program" ]; then
  echo "check-format: clang-format not found (install the Debian package clang-format)" >&2
  exit 2
fi

files=()
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$root" ]; then
  while IFS= read -r -d '' file; do
    # A tracked file deleted in the checkout is no source any more.
    [ -f "$file" ] && files+=("$file")
  done < <(git ls-files -z --cached --others --exclude-standard -- '*.cpp' '*.h' | sort -zu)
else
  while IFS= read -r -d '' file; do
    files+=("${file#./}")
  done < <(find . \( -path ./.git -o -path ./build -o -path './build-*' -o -path ./out -o -path ./.cache \) -prune \
             -o -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
fi

if [ "$fix" -eq 1 ]; then
  [ ${#files[@]} -eq 0 ] || "$program" -i -- "${files[@]}"
  echo "check-format: formatted ${#files[@]} files with $program"
  exit 0
fi

differ=()
for file in "${files[@]}"; do
  if ! "$program" --dry-run -Werror -- "$file" >/dev/null 2>&1; then
    differ+=("$file")
  fi
done

if [ ${#differ[@]} -ne 0 ]; then
  echo "check-format: ${#differ[@]} of ${#files[@]} files differ from .clang-format ($program):" >&2
  printf '  %s\n' "${differ[@]}" >&2
  echo "check-format: format them with 'cmake --build <build folder> --target format' or '$0 --fix'" >&2
  exit 1
fi
echo "check-format: ${#files[@]} files follow .clang-format"
