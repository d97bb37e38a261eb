#!/usr/bin/env bash
# Configures and builds the whole project into build/ (or $KF_BUILD_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${KF_BUILD_DIR:-$here/build}
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${KF_BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build" -j "$(nproc)"
