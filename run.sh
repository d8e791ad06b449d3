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

# Copies a shipped file into the working folder when the user has none
# there. What cannot be copied is told in Polish, naming the file and why,
# and the program starts without the copy (it names a missing file itself).
kopiuj() {
  local zrodlo="$1" cel="$2" blad
  if [ -L "$cel" ] && [ ! -e "$cel" ]; then
    echo "Nie skopiowano $(basename "$cel"): $cel jest dowiązaniem symbolicznym do $(readlink "$cel"), którego nie ma - program uruchomi się bez tego pliku (usuń dowiązanie albo przywróć jego cel)." >&2
    return 0
  fi
  [ -e "$cel" ] && return 0
  if ! blad="$(cp "$zrodlo" "$cel" 2>&1)"; then
    if [ ! -r "$zrodlo" ]; then
      blad="nie można odczytać pliku $zrodlo"
    elif [ ! -w "$(dirname "$cel")" ]; then
      blad="brak uprawnień do zapisu w folderze $(dirname "$cel")"
    else
      blad="błąd kopiowania: ${blad#cp: }"
    fi
    echo "Nie skopiowano $(basename "$cel") do $(dirname "$cel"): $blad - program uruchomi się bez tego pliku." >&2
  fi
  return 0
}

# The decision ranges and the hint text belong to the working folder; the
# shipped ones are copied only when the user has none.
for f in zakresy.txt moduls.rtf; do
  kopiuj "$here/build/data/PROGRAM/$f" "$work/$f"
done

# The glyph of the indicator window's chart button, never over the user's own.
kopiuj "$here/data/wykres.BMP" "$work/wykres.BMP"

# The example command file of the batch button, never over the user's own.
kopiuj "$here/data/ROZKAZY/przyklad.roz" "$work/przyklad.roz"

cd "$work"
exec "$here/build/app/vesk" "$@"
