#!/usr/bin/env bash
# Builds everything and runs the program's main job on the default simulated
# adapter. Until the programs exist, it runs the platform demo.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)"
if [ -x build/apps/WavorelVista ]; then
  exec build/apps/WavorelVista "$@"
fi
echo "The programs are not built yet; running the platform demo."
exec build/platform/platform-demo "$@"
