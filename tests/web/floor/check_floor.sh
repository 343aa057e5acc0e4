#!/usr/bin/env bash
# The page's files against the oldest browsers it is for: its scripts' syntax and
# browser APIs and its style sheet (check.js, with the checkers package-lock.json pins),
# and its WebAssembly module, which may use the first standard's features only.
# usage: check_floor.sh BUILD_DIR   (BUILD_DIR holds site/)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
npm=$(command -v npm || true)
if [ -z "$npm" ]; then
    if [ "${ZELKOR_REQUIRE_DESKTOP_TOOLS:-0}" = 1 ]; then
        echo "FAILED: needs npm (Debian's npm package), which is not installed" >&2
        exit 1
    fi
    echo "SKIPPED: needs npm (Debian's npm package)"
    exit 77
fi
work=$build/floor
mkdir -p "$work"
cp "$here/package.json" "$here/package-lock.json" "$here/eslint.config.js" "$here/check.js" "$work/"
# The checkers as the lock file pins them, fetched again only when it changes.
if ! cmp -s "$here/package-lock.json" "$work/node_modules/.zelkor-lock"; then
    (cd "$work" && timeout 300 "$npm" ci --no-audit --no-fund --ignore-scripts --loglevel=error)
    cp "$here/package-lock.json" "$work/node_modules/.zelkor-lock"
fi
/usr/bin/node "$work/check.js" "$build/site"
if ! validated=$(wasm-opt --mvp-features "$build/site/zelkor.wasm" -o /dev/null 2>&1); then
    echo "$validated"
    echo "zelkor.wasm uses WebAssembly features past the first standard" >&2
    exit 1
fi
echo "zelkor.wasm: the first standard's WebAssembly features only"
