#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the shipped
# data. The program works in ~/VE_SK (its settings file and the operator
# files live there, never in the source tree).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"

./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

work="${VESK_HOME:-$HOME/VE_SK}"
mkdir -p "$work/OPERATOR"
cd "$work"
exec "$here/build/workbench/vesk" "$@"
