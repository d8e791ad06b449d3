#!/usr/bin/env bash
# One name, one type: no class, struct, union or enum of namespace vesk
# (or a namespace within it) is defined in two headers. Two definitions of
# one name linked into one program break the one-definition rule, and no
# file could include both headers. Nested types and the types inside
# functions are not counted; forward declarations are not definitions.
# Prints every name defined twice with its headers and exits 1.
#   sprawdz-nazwy-typow.sh [SOURCE_DIR]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

foldery=(platform model spreadsheet reports workbench language indicators app)
for f in "${foldery[@]}"; do
  [ -d "$f" ] || { echo "sprawdz-nazwy-typow: no folder $f/ in $(pwd)" >&2; exit 1; }
done

mapfile -t naglowki < <(find "${foldery[@]}" -name '*.h' | sort)
awk -v apostrof="'" '
  # The text of one header without comments, literals and preprocessor
  # lines, cut at every brace and semicolon: the words before a brace tell
  # what it opens.
  function klamra(   g, i, ns, sciezka, nazwa) {
    g = glowa; glowa = ""
    gsub(/[ \t]+/, " ", g); sub(/^ /, "", g); sub(/ $/, "", g)
    if (g ~ /(^|[^A-Za-z0-9_])namespace( [A-Za-z_][A-Za-z0-9_:]*)?$/) {
      ns = g; sub(/.*namespace ?/, "", ns)
      stos[++glebia] = (ns == "" ? "namespace (anonymous)" : "namespace " ns)
      return
    }
    if (g ~ /(^|[^A-Za-z0-9_])extern$/) { stos[++glebia] = "namespace"; return }
    sciezka = ""
    for (i = 1; i <= glebia; i++) {
      if (stos[i] !~ /^namespace/) { stos[++glebia] = "inne"; return }
      if (stos[i] ~ /^namespace ./) sciezka = sciezka (sciezka == "" ? "" : "::") substr(stos[i], 11)
    }
    # class X, struct X final : base, enum class X : int, template <...> struct X
    if (match(g, /(^|[^A-Za-z0-9_])(class|struct|union|enum|enum class|enum struct) [A-Za-z_][A-Za-z0-9_]*( final)?( ?:[^:].*)?$/)) {
      nazwa = substr(g, RSTART, RLENGTH)
      sub(/^[^A-Za-z_]/, "", nazwa)
      sub(/^(enum class|enum struct|class|struct|union|enum) /, "", nazwa)
      sub(/[^A-Za-z0-9_].*/, "", nazwa)
      if ((sciezka == "vesk" || sciezka ~ /^vesk::/) && sciezka !~ /anonymous/) {
        pelna = sciezka "::" nazwa
        if ((pelna in gdzie) && gdzie[pelna] != FILENAME) {
          if (!(pelna in zgloszone)) { zgloszone[pelna] = 1; kolejnosc[++zgloszen] = pelna }
          drugie[pelna] = drugie[pelna] " " FILENAME
        } else if (!(pelna in gdzie)) gdzie[pelna] = FILENAME
      }
      stos[++glebia] = "typ"
      return
    }
    stos[++glebia] = "inne"
  }
  FNR == 1 { glebia = 0; glowa = ""; komentarz = 0 }
  {
    l = $0
    if (!komentarz && l ~ /^[ \t]*#/) { while (l ~ /\\$/ && (getline l) > 0) {} ; next }
    wynik = ""
    while (l != "") {
      if (komentarz) {
        k = index(l, "*/")
        if (!k) { l = ""; break }
        l = substr(l, k + 2); komentarz = 0; continue
      }
      c = substr(l, 1, 1)
      if (substr(l, 1, 2) == "//") break
      if (substr(l, 1, 2) == "/*") { komentarz = 1; l = substr(l, 3); continue }
      if (c == "\"" || c == apostrof) {
        # a literal: up to its closing quote, escapes skipped
        i = 2
        while (i <= length(l) && substr(l, i, 1) != c) i += (substr(l, i, 1) == "\\" ? 2 : 1)
        l = substr(l, i + 1); wynik = wynik " 0 "; continue
      }
      if (c == "{") { glowa = glowa " " wynik; wynik = ""; klamra(); l = substr(l, 2); continue }
      if (c == "}") { glowa = ""; wynik = ""; if (glebia > 0) glebia--; l = substr(l, 2); continue }
      if (c == ";") { glowa = ""; wynik = ""; l = substr(l, 2); continue }
      wynik = wynik c; l = substr(l, 2)
    }
    glowa = glowa " " wynik
  }
  END {
    for (i = 1; i <= zgloszen; i++)
      print kolejnosc[i] " is defined in " gdzie[kolejnosc[i]] " and" drugie[kolejnosc[i]]
    if (ENVIRON["VESK_TYPY"] != "") for (n in gdzie) print n, gdzie[n] > "/dev/stderr"
    exit zgloszen > 0
  }' "${naglowki[@]}"
