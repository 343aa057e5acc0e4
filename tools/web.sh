#!/usr/bin/env bash
# Makes the browser page: installs what its build needs that is missing, compiles the
# drill with emscripten and writes
#   build-web/zelkor.html  one self-contained page: open it from disk or hand it out
#   build-web/site/        the folder for any static host (works offline once loaded)
# To try the folder: python3 -m http.server --bind 127.0.0.1 --directory build-web/site 8000
# and open http://127.0.0.1:8000/ in a browser.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
zelkor_install "${ZELKOR_WEB_BUILD_PACKAGES[@]}"
zelkor_build web
ls -l "$ZELKOR_ROOT/build-web/zelkor.html"
ls "$ZELKOR_ROOT/build-web/site"
