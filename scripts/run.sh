#!/usr/bin/env bash
# Builds Meldora (installing what it needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Meldora is a desktop game and needs a display: run it from a graphical session" >&2
  echo "(or set DISPLAY, e.g. under Xvfb: xvfb-run scripts/run.sh)." >&2
  exit 1
fi
scripts/setup.sh
exec build/meldora "$@"
