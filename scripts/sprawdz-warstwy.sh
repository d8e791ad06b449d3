#!/usr/bin/env bash
# The layers of the source tree, bottom up:
#   platform <- model, spreadsheet <- reports <- workbench <- language <- indicators <- app
# A folder (with its subfolders) may include the headers of its own folder
# and of the layers below it; model/ and spreadsheet/ stand side by side and
# do not include each other. Headers are included by bare name (each
# library exports its folder), so a header's name must be unique across
# the layers. Qt is included only in app/ and in the window tests
# (tests/app/), and linked only there.
# Prints every offending line and exits 1; exits 0 when all is in order.
#   sprawdz-warstwy.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

warstwy="platform=0 model=1 spreadsheet=1 reports=2 workbench=3 language=4 indicators=5 app=6"
foldery=""
for w in $warstwy; do foldery="$foldery ${w%%=*}"; done
for f in $foldery; do
  [ -d "$f" ] || { echo "sprawdz-warstwy: no folder $f/ in $(pwd)" >&2; exit 1; }
done

bledy=0

# Every header of the layers, with its folder; then every include of a
# project header, checked against the including file's layer.
# shellcheck disable=SC2086
if ! { find $foldery -name '*.h' -printf 'H %f %p\n' | sort -k2
       grep -rHn --include='*.cpp' --include='*.h' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' $foldery; } |
     awk -v warstwy="$warstwy" '
  function folder(sciezka) { sub(/\/.*/, "", sciezka); return sciezka }
  BEGIN {
    n = split(warstwy, w, " ")
    for (i = 1; i <= n; i++) { split(w[i], p, "="); ranga[p[1]] = p[2] + 0 }
    zle = 0
  }
  /^H / {
    if (($2 in naglowek) && naglowek[$2] != $3) {
      print "two headers named " $2 ": " naglowek[$2] " and " $3
      zle = 1
    }
    naglowek[$2] = $3
    next
  }
  {
    # path:line:#include "name"
    plik = $0; sub(/:.*/, "", plik)
    reszta = substr($0, length(plik) + 2)
    linia = reszta; sub(/:.*/, "", linia)
    nazwa = reszta; sub(/^[^"]*"/, "", nazwa); sub(/".*/, "", nazwa)
    baza = nazwa; sub(/.*\//, "", baza)
    if (!(baza in naglowek)) next          # not one of ours
    z = folder(plik); do_ = folder(naglowek[baza])
    if (z == do_) next
    if (ranga[do_] > ranga[z] || ranga[do_] == ranga[z]) {
      print plik ":" linia ": " z "/ includes " naglowek[baza] " (" do_ "/ is not below " z "/)"
      zle = 1
    }
  }
  END { exit zle }'; then
  bledy=1
fi

# Qt only in the windows and their tests.
if grep -rHn --include='*.cpp' --include='*.h' -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]Q' \
     --exclude-dir=build --exclude-dir='build-*' --exclude-dir=.git . |
   grep -vE '^\./(app|tests/app)/'; then
  echo "sprawdz-warstwy: Qt included outside app/ and tests/app/ (above)"
  bledy=1
fi
if grep -rHn --include=CMakeLists.txt -E 'Qt6|Qt::' --exclude-dir=build --exclude-dir='build-*' --exclude-dir=.git . |
   grep -vE '^\./(app|tests/app)/'; then
  echo "sprawdz-warstwy: Qt linked outside app/ (above)"
  bledy=1
fi

exit $bledy
