#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program with the shipped
# data. The program works in ~/VE_SK (its settings file and the operator
# files live there, never in the source tree).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"

# Without a screen nothing is built or installed: the user learns it at once.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Brak ekranu graficznego (DISPLAY nie ustawione)." >&2
  echo "Bez ekranu program można uruchomić w wirtualnym ekranie:  xvfb-run -a ./run.sh" >&2
  exit 1
fi

./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

work="${VESK_HOME:-$HOME/VE_SK}"
mkdir -p "$work/OPERATOR"
# The decision ranges and the hint text belong to the working folder; the
# shipped ones are copied only when the user has none.
for f in zakresy.txt moduls.rtf; do
  if [ ! -e "$work/$f" ]; then
    cp "$here/build/data/PROGRAM/$f" "$work/$f"
  fi
done

# The glyph of the indicator window's chart button, never over the user's own.
if [ ! -e "$work/wykres.BMP" ]; then
  cp "$here/data/wykres.BMP" "$work/wykres.BMP"
fi

# The example command file of the batch button, never over the user's own.
if [ ! -e "$work/przyklad.roz" ]; then
  cp "$here/data/ROZKAZY/przyklad.roz" "$work/przyklad.roz"
fi

cd "$work"
exec "$here/build/app/vesk" "$@"
