#!/usr/bin/env bash
# The overheads of the optimisation and of command files, counted by
# callgrind (the system calls' own cost left out, so a write counts as the
# instructions spent preparing it), from the runs of bench/NarzutyPrzebieg:
#   candidate / bare   instructions per candidate of a study against one
#                      bare simulation of its trial node (OptymalizacjaBench)
#   command file / direct  the command file of InterpreterBench against the
#                      direct calls doing the same work
# Builds the program in build/ (or $VESK_BUILD_DIR) first. Exits 1 when a
# ratio exceeds its budget ($VESK_BUDZET_KANDYDATA, $VESK_BUDZET_ROZKAZOW,
# 1.2 each); $VESK_PROFIL set prints each run's costliest functions.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${VESK_BUILD_DIR:-build}
budzet_kandydata=${VESK_BUDZET_KANDYDATA:-1.2}
budzet_rozkazow=${VESK_BUDZET_ROZKAZOW:-1.2}
powtorzenia=6
if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target NarzutyPrzebieg -j 3 >/dev/null

wyniki=$(mktemp -d)
trap 'rm -rf "$wyniki"' EXIT

# Instructions per unit of one kind of run: the measured function's own
# calls collected, divided by the units the program reports.
policz() {
  local nazwa=$1 funkcja=$2
  shift 2
  local jednostki calosc
  if ! jednostki=$(valgrind --tool=callgrind --callgrind-out-file="$wyniki/$nazwa.out" \
      --collect-atstart=no --toggle-collect="narzuty::$funkcja(*" \
      "$build/bench/NarzutyPrzebieg" "$@" 2>"$wyniki/$nazwa.log"); then
    echo "narzuty.sh: the run '$*' failed" >&2
    cat "$wyniki/$nazwa.log" >&2
    exit 2
  fi
  calosc=$(awk '/^(summary|totals):/ { print $2; exit }' "$wyniki/$nazwa.out")
  if [ -z "$calosc" ] || [ "${jednostki:-0}" -le 0 ] || [ "$calosc" -le 0 ]; then
    echo "narzuty.sh: no count for '$*' (see valgrind's output)" >&2
    cat "$wyniki/$nazwa.log" >&2
    exit 2
  fi
  if [ "${VESK_PROFIL:-}" != "" ]; then
    echo "--- $*" >&2
    callgrind_annotate --inclusive=yes "$wyniki/$nazwa.out" 2>/dev/null | sed -n '/^Ir/,$p' | head -45 >&2
  fi
  echo $((calosc / jednostki))
}

golo=$(policz golo GoleSymulowania golo "$powtorzenia")
kandydat=$(policz kandydat Kandydaci kandydat "$powtorzenia")
bezposrednio=$(policz bezposrednio BezposrednieWywolania bezposrednio)
plik=$(policz plik PlikRozkazow plik)

stosunek() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
ponad() { awk -v r="$1" -v b="$2" 'BEGIN { exit !(r > b) }'; }
r_kandydat=$(stosunek "$kandydat" "$golo")
r_plik=$(stosunek "$plik" "$bezposrednio")
echo "candidate / bare simulation: $r_kandydat ($kandydat against $golo instructions; budget $budzet_kandydata)"
echo "command file / direct calls: $r_plik ($plik against $bezposrednio instructions; budget $budzet_rozkazow)"
wynik=0
if ponad "$r_kandydat" "$budzet_kandydata"; then
  echo "narzuty.sh: a candidate costs more than $budzet_kandydata bare simulations" >&2
  wynik=1
fi
if ponad "$r_plik" "$budzet_rozkazow"; then
  echo "narzuty.sh: the command file costs more than $budzet_rozkazow times the direct calls" >&2
  wynik=1
fi
exit $wynik
