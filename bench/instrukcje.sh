#!/usr/bin/env bash
# Instructions per node simulation, counted by callgrind: the runs
# (Symulacja) of a root and four children with varied decisions
# (bench/PrzebiegWezla), without the parameter file the root's run reads. Builds the program in build/ (or
# $VESK_BUILD_DIR) first. Exits 1 when the count exceeds the budget
# ($VESK_BUDZET_INSTRUKCJI, default 2000000).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${VESK_BUILD_DIR:-build}
budzet=${VESK_BUDZET_INSTRUKCJI:-2000000}
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target PrzebiegWezla -j 3 >/dev/null

wyniki=$(mktemp -d)
trap 'rm -rf "$wyniki"' EXIT
przebiegi=$(valgrind --tool=callgrind --callgrind-out-file="$wyniki/callgrind.out" \
  --collect-atstart=no --toggle-collect='vesk::Symulacja(*' \
  "$build/bench/PrzebiegWezla" 2>"$wyniki/valgrind.log")
calosc=$(awk '/^(summary|totals):/ { print $2; exit }' "$wyniki/callgrind.out")
# The root's run reads the parameter file: its instructions are left out.
plik=$(callgrind_annotate --inclusive=yes "$wyniki/callgrind.out" 2>/dev/null |
  awk '/vesk::WczytajParametryModelu\(/ && !n { gsub(",", "", $1); print $1; n = 1 }')
razem=$((calosc - ${plik:-0}))
if [ -z "$razem" ] || [ -z "$przebiegi" ] || [ "$przebiegi" -eq 0 ]; then
  echo "instrukcje.sh: no count (see valgrind's output)" >&2
  cat "$wyniki/valgrind.log" >&2
  exit 2
fi
na_przebieg=$((razem / przebiegi))
echo "instructions per node simulation: $na_przebieg ($przebiegi runs, $razem in all; budget $budzet)"
if [ "${VESK_PROFIL:-}" != "" ]; then
  callgrind_annotate --inclusive=no "$wyniki/callgrind.out" 2>/dev/null | head -40
fi
[ "$na_przebieg" -le "$budzet" ]
