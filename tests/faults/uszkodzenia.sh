#!/bin/bash
# Damaged operator files: uszkodzenia.sh VESK_WSAD DATA_DIR [RANDOM_BLOCKS]
# An operator (the root and nodes 1-8 on three levels, node 8 not
# simulated) is damaged in many ways and opened. After each open the
# operator either opened or was refused with both files byte for byte as
# they were and a true reason; an operator that opened is consistent (no
# number twice, every record's parent there and its year the parent's + 3,
# the tree's nesting and marks those of the records), every node kept has
# its record byte for byte as before unless the damage fell inside that
# record's body (the format has no checksum), and every node lost or moved
# is named in the repair message, which names nothing that did not happen.
# A tree file that is no tree is rebuilt from the records and kept beside.
set -u
W=$1 D=$2 BLOKI=${3:-200}
R=$(mktemp -d "${TMPDIR:-/tmp}/vesk-uszkodzenia-XXXXXX") && trap 'rm -rf "$R"' EXIT && cd "$R" || exit 1
RS=22480 fails=0 runs=0 refused=0 repaired=0
RANDOM=4545  # the same blocks every run
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); [ -n "${KEEP:-}" ] && cp -r "$R" "$KEEP.$fails"; }
printf '[Katalogi]\r\ncatPARAMETR=%s/PARAMETR/\r\ncatOGRAN=%s/PARAMETR/\r\ncatKARTOPERATORA=%s/\r\ncatTABWZOR=%s/TABWZOR/\r\n' \
  "$D" "$D" "$R" "$D" > VE-SK.INI
w=$(printf 'w\352ze\263')
roz() { printf 'run\r\n'; for l in "$@"; do printf '%s\r\n' "$l"; done; }
roz "stop" > open.roz
roz "$w dodaj 0 0" "$w symuluj 1" "$w dodaj 0 0" "$w symuluj 2" "$w dodaj 0 0" "$w symuluj 3" \
  "$w dodaj 1 1" "$w symuluj 4" "$w dodaj 1 1" "$w symuluj 5" "$w dodaj 2 2" "$w symuluj 6" \
  "$w dodaj 4 4" "$w symuluj 7" "$w dodaj 5 5" > build.roz
"$W" open.roz REF.tr1 > /dev/null 2>&1 && "$W" build.roz REF.tr1 > /dev/null 2>&1 && [ "$(stat -c %s REF.qad)" -eq $((9 * RS)) ] ||
  { echo "FAIL: no reference operator" >&2; exit 1; }

# Headers of the records of $1: num[], par[], rok[], sym[] in file order.
naglowki() {
  local n=$(( $(stat -c %s "$1") / RS )) i b; num=(); par=(); rok=(); sym=()
  for ((i = 0; i < n; i++)); do
    b=($(od -An -tu1 -j $((i * RS)) -N5 "$1"))
    num[i]=${b[0]} par[i]=${b[1]} rok[i]=$(( (b[2] + 256 * b[3] + 32768) % 65536 - 32768 )) sym[i]=${b[4]}
  done
}
rekord() { dd if="$1" bs=$RS skip="$2" count=1 2>/dev/null; }  # record $2 (from 0) of $1
naglowki REF.qad; refnum=("${num[@]}")

# What both files hold: their checksums, or for what is not a small regular
# file, its kind, size, time and inode.
stan() { local f; for f in T.qad T.tr1; do
  if [ -f $f ] && [ "$(stat -c %s $f)" -le $((64 << 20)) ]; then cksum < $f; else stat -c '%F %s %Y %i' $f 2>&1; fi; done; }

# One damaged operator T opened and judged: $1 what, $2 the nodes whose
# record body the damage may have changed.
osad() {
  local co=$1 cialo=" ${2:-} " out rc i j n l poziom etykieta
  runs=$((runs + 1)) przed=$(stan)
  out=$(timeout 20 "$W" open.roz T.tr1 2>&1 > /dev/null); rc=$?; ostatni=$out
  [ $rc -eq 124 ] && { fail "$co: the open hangs"; return; }
  grep -qE 'Sanitizer|runtime error' <<< "$out" && fail "$co: $out"
  if [ $rc -ne 0 ]; then
    refused=$((refused + 1))
    [ "$(stan)" = "$przed" ] || fail "$co: refused, yet the files changed"
    [ -n "$out" ] || fail "$co: refused without a reason"
    grep -qE 'brak pliku lub folderu|Is a directory|przerwany zapis' <<< "$out" && fail "$co: untrue reason: $out"
    return
  fi
  naglowki T.qad
  declare -A gdzie
  for i in "${!num[@]}"; do
    n=${num[i]}
    [ -n "${gdzie[$n]:-}" ] && fail "$co: node $n twice in the state file"
    gdzie[$n]=$i
  done
  [ "${num[0]}/${par[0]}/${rok[0]}/${sym[0]}" = 0/255/2012/1 ] || fail "$co: root header ${num[0]}/${par[0]}/${rok[0]}/${sym[0]}"
  for ((i = 1; i < ${#num[@]}; i++)); do
    j=${gdzie[${par[i]}]:-}
    [ -n "$j" ] && [ "${rok[i]}" -eq $((rok[j] + 3)) ] && [ "${sym[i]}" -le 1 ] ||
      fail "$co: record of node ${num[i]}: parent ${par[i]}, year ${rok[i]}, mark ${sym[i]}"
  done
  # The tree: nesting and marks those of the records, every record there.
  declare -A wdrzewie; local stos=()
  while IFS= read -r l; do
    l=${l%$'\r'}; etykieta=${l##*$'\t'}; poziom=$(( ${#l} - ${#etykieta} )); n=${etykieta##* }
    stos[poziom]=$n; wdrzewie[$n]=1; i=${gdzie[$n]:-}
    [ -n "$i" ] || { fail "$co: tree item $n without record"; continue; }
    [ "$etykieta" = "$([ "${sym[i]}" = 1 ] && echo "d/r $n" || echo "d $n")" ] || fail "$co: item '$etykieta' against mark ${sym[i]}"
    [ "$poziom" -eq 0 ] || [ "${stos[poziom - 1]}" = "${par[i]}" ] || fail "$co: node $n under ${stos[poziom - 1]}, record's parent ${par[i]}"
  done < T.tr1
  for n in "${num[@]}"; do [ -n "${wdrzewie[$n]:-}" ] || fail "$co: record $n not in the tree"; done
  # Every node of before: kept byte for byte (unless its body was hit) or named.
  # (With the records in the reference's order, one cmp finds the changed ones.)
  declare -A rozne; local zgodne=0
  if [ "${num[*]}" = "${refnum[*]}" ]; then
    zgodne=1
    for i in $(cmp -l T.qad REF.qad 2> /dev/null | awk -v rs=$RS '{ print int(($1 - 1) / rs) }' | uniq); do rozne[${num[i]}]=1; done
  fi
  for j in "${!refnum[@]}"; do
    n=${refnum[j]} i=${gdzie[${refnum[j]}]:-}
    if [ -z "$i" ]; then
      grep -qE "w.z(e.|.a) $n( |\$|,)" <<< "$out" || fail "$co: node $n lost without a word: $out"
    elif { [ $zgodne = 1 ] && [ -n "${rozne[$n]:-}" ]; } ||
         { [ $zgodne = 0 ] && ! cmp -s <(rekord T.qad "$i") <(rekord REF.qad "$j"); }; then
      [[ $cialo == *" $n "* ]] || fail "$co: node $n changed silently"
    fi
  done
  # The message: present when anything changed, and true.
  if [ "$(stan)" != "$przed" ]; then
    grep -q naprawiony <<< "$out" || fail "$co: files changed without a message"
  fi
  grep -q naprawiony <<< "$out" && repaired=$((repaired + 1))
  while read -r n; do
    [ -z "${gdzie[$n]:-}" ] || fail "$co: node $n said removed, but its record is there"
  done < <(grep -oE "z.e.. [0-9]+ bez rekordu" <<< "$out" | awk '{print $2}')
}
swiezy() { rm -f T.*; cp REF.qad T.qad; cp REF.tr1 T.tr1; }
zeruj() { dd if=/dev/zero of=T.qad bs=1 seek="$1" count="$2" conv=notrunc 2>/dev/null; }
# The nodes whose body (bytes 5 on) the bytes [$1, $1 + $2) reach.
ciala() {
  local od=$1 do=$(($1 + $2)) i
  for i in "${!refnum[@]}"; do [ $((i * RS + 5)) -lt $do ] && [ $(((i + 1) * RS)) -gt $od ] && printf '%s ' "${refnum[i]}"; done
}

# Cut at every record boundary and one byte either side, and inside record 0.
for ((k = 1; k <= 9; k++)); do
  for d in -1 0 1; do
    [ $k -eq 9 ] && [ $d -ge 0 ] && continue
    swiezy; truncate -s $((k * RS + d)) T.qad; osad "cut at record $k $d"
  done
done
for c in 0 1 18735 $((RS - 1)); do swiezy; truncate -s "$c" T.qad; osad "cut at byte $c"; done
# Each record's first 512 bytes zeroed; its number byte set to another node's.
for ((i = 0; i < 9; i++)); do
  swiezy; zeruj $((i * RS)) 512; osad "record $i header zeroed" "$(ciala $((i * RS)) 512)"
  swiezy; printf "\\$(printf %03o $(( (i + 3) % 9 )))" | dd of=T.qad bs=1 seek=$((i * RS)) conv=notrunc 2>/dev/null
  osad "record $i numbered $(( (i + 3) % 9 ))"
done
# Random 512-byte blocks zeroed, one to three at a time.
for ((t = 0; t < BLOKI; t++)); do
  swiezy; hit=""
  for ((b = 0; b <= RANDOM % 3; b++)); do
    o=$(( (RANDOM * 32768 + RANDOM) % (9 * RS / 512) * 512 )); zeruj $o 512; hit+="$(ciala $o 512)"
  done
  osad "random blocks $t" "$hit"
done
# Tree against records: a node listed under another parent, a record without item.
swiezy; printf 'd/r 0\r\n\td/r 1\r\n\t\td/r 4\r\n\t\td/r 5\r\n\t\t\td 8\r\n\td/r 2\r\n\t\td/r 6\r\n\td/r 3\r\n\td/r 7\r\n' > T.tr1
osad "node 7 under the root"; grep -q "7 przeniesiony" <<< "$ostatni" || fail "node 7 moved without a word: $ostatni"
swiezy; printf 'd/r 0\r\n\td/r 1\r\n' > T.tr1; osad "records without items"
# Node 1, simulated with simulated children, marked not simulated: a header fault.
swiezy; printf '\0' | dd of=T.qad bs=1 seek=$((RS + 4)) conv=notrunc 2>/dev/null; osad "node 1 marked not simulated"
grep -q "znacznik symulacji 0, a węzeł 4" <<< "$ostatni" || fail "node 1 marked not simulated: $ostatni"
# Blank lines and blanks after labels are nothing; a tree file that is no
# tree is rebuilt from the records and kept beside.
swiezy; sed 's/\r$/ \t\r/' REF.tr1 > T.tr1; printf '\r\n \r\n\r\n' >> T.tr1; przed=$(stan)
out=$("$W" open.roz T.tr1 2>&1 > /dev/null) && [ -z "$out" ] && [ "$(stan)" = "$przed" ] || fail "blank lines: $out"
swiezy; head -c 700 /dev/urandom > T.tr1; cp T.tr1 garbage; osad "garbage tree"
grep -q "odbudowane" <<< "$ostatni" && cmp -s garbage T.tr1.bledny || fail "garbage tree not kept: $ostatni"
rm -f T.tr1.bled*
# A tree whose only fault is a trailing NUL keeps its sibling order (3, 2, 1).
swiezy; printf 'd/r 0\r\n\td/r 3\r\n\td/r 2\r\n\t\td/r 6\r\n\td/r 1\r\n\t\td/r 4\r\n\t\t\td/r 7\r\n\t\td/r 5\r\n\t\t\td 8\r\n\0' > T.tr1
osad "trailing NUL"; [ "$(grep -P '^\td' T.tr1 | tr -d '\t\r' | tr '\n' ' ')" = "d/r 3 d/r 2 d/r 1 " ] ||
  fail "trailing NUL: sibling order lost: $(cat T.tr1)"
# Every name for the kept copy taken: refused, naming them, nothing changed.
swiezy; printf 'd/r 0\r\n\0' > T.tr1; for d in bledny bled{1..9}; do echo "$d" > T.tr1.$d; done; kopie=$(cat T.tr1.bled*)
osad "every kept name taken"; [ "$(cat T.tr1.bled*)" = "$kopie" ] && grep -q "T.tr1.bled9) - nale" <<< "$ostatni" ||
  fail "every kept name taken: $ostatni"
rm -f T.tr1.bled*
# Odd files: empty, too long, FIFOs, a folder.
swiezy; : > T.qad; osad "empty state file"; swiezy; truncate -s $((53 * RS)) T.qad; osad "53 records"
swiezy; truncate -s 10G T.qad; osad "10 GB state file"; swiezy; rm T.qad; mkdir T.qad; osad "state file a folder"; rmdir T.qad
swiezy; rm T.qad; mkfifo T.qad; osad "state file a FIFO"; swiezy; rm T.tr1; mkfifo T.tr1; osad "tree file a FIFO"
# A 60 MB tree: refused quickly and in little memory.
swiezy; { printf 'd/r 0\r\n'; head -c $((60 << 20)) /dev/zero | tr '\0' '\t'; printf 'd 1\r\n'; } > T.tr1
przed=$(stan)
/usr/bin/time -o pomiar -f '%e %M %x' "$W" open.roz T.tr1 > /dev/null 2> err
read -r sek kb rc < <(tail -1 pomiar)
[ "$rc" != 0 ] && grep -q "za d" err || fail "60 MB tree: exit $rc, $(cat err)"
[ "$(awk -v s="$sek" 'BEGIN { print (s < 10) }')" = 1 ] && [ "$kb" -lt $((150 * 1024)) ] || fail "60 MB tree: $sek s, $kb kB"
[ "$(stan)" = "$przed" ] || fail "60 MB tree: files changed"
echo "opens: $runs (refused $refused, repaired $repaired), seconds: $SECONDS, failures: $fails"
[ $fails -eq 0 ]
