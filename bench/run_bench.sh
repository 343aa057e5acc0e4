#!/usr/bin/env bash
# Runs the benchmark table in a private Xvfb. Usage: run_bench.sh BUILD_DIR [--quick]
set -euo pipefail
build=${1:?usage: run_bench.sh BUILD_DIR [--quick]}
shift
source "$(dirname "$0")/../tests/smoke/xvfb_session.sh"
xvfb_start
"$build/bench/zelkor_bench" "$@"
