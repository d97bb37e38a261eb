#!/usr/bin/env bash
# One command from a fresh Debian 12 machine (as root) to a running booth:
# installs what is missing, builds, and starts Kinfolio from the build's
# application folder. Without a camera the test-pattern camera is used;
# without a display the booth runs on a virtual one (Xvfb).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/tools/setup-debian.sh"
bash "$here/tools/build.sh"
build=${KF_BUILD_DIR:-$here/build}
app="$build/AppFolder/Kinfolio"

if ! compgen -G "/dev/video*" >/dev/null; then
  echo "run-booth: no camera found, using the test-pattern camera"
  export KINFOLIO_TEST_CAMERA=1
fi
if [[ -z "${XDG_RUNTIME_DIR:-}" ]]; then
  export XDG_RUNTIME_DIR="$build/test-runtime"
fi
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "run-booth: no display, starting the booth on a virtual screen (xvfb-run)"
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$app" "$@"
fi
exec "$app" "$@"
