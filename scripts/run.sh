#!/usr/bin/env bash
# Builds Meldora (installing what it needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/meldora "$@"
