#!/usr/bin/env bash
# One command from a fresh Debian 12 machine (as root) to a full test run:
# installs what is missing, builds everything and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/setup-debian.sh"
bash "$here/tools/build.sh"
build=${KF_BUILD_DIR:-$here/build}
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
