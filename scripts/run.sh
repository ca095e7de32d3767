#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Without a
# display it runs offscreen; when nothing is set up yet either (no settings
# file, no FATHOMIX_COMn), it runs the demo instead: the logger fed by the
# instrument simulator, printing the telegrams it sends.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/common.sh

install_missing
configure_and_build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
  config=${XDG_CONFIG_HOME:-}
  [[ "$config" == /* ]] || config="${HOME:-}/.config"
  if [ $# -eq 0 ] && [ ! -e "$config/fathomix/FATHOMIX.INI" ] && ! compgen -v FATHOMIX_COM >/dev/null; then
    exec "$BUILD_DIR/app/fathomix-demo"
  fi
fi
exec "$BUILD_DIR/app/fathomix" "$@"
