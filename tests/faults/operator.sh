#!/bin/bash
# The operator's files under kills, injected I/O failures and a second
# program: operator.sh VESK_WSAD DATA_DIR SHIM.so [KILLS] [SECONDS]
# After every trial the operator must open (repairs allowed), every node
# reported saved must be there with the reference's record, no node may be
# stuck (tree mark against the record's simulated flag), no temporary file
# may stay, and every run hit by a fault must fail with a message (a
# journal whose removal failed blocks no later save, delete or open). A
# lock that cannot be taken, a .qad or .tr1 that is a symbolic link or has
# a second name, and a name too long for the temporary files, refuse the
# run with both files unchanged, and so do a name several operators have
# in other letter cases and an argument naming no tree file; a journal
# beside a state file restored from a copy is dropped; a creation killed
# at any of its file calls leaves an operator the next run opens, and one
# failing at any of them leaves every file as it was.
set -u
W=$1 D=$2 SHIM=$3 KILLS=${4:-300} LIMIT=${5:-170}
# (A child signalled before it runs the program would run the trap too.)
R=$(mktemp -d "${TMPDIR:-/tmp}/vesk-faults-XXXXXX") && trap '[ $BASHPID = '$$' ] && rm -rf "$R"' EXIT && cd "$R" || exit 1
RS=22480 fails=0
fail() { echo "FAIL: $*" >&2; fails=$((fails + 1)); [ -n "${KEEP:-}" ] && cp -r "$R" "$KEEP.$fails"; }
printf '[Katalogi]\r\ncatPARAMETR=%s/PARAMETR/\r\ncatOGRAN=%s/PARAMETR/\r\ncatKARTOPERATORA=%s/\r\ncatTABWZOR=%s/TABWZOR/\r\n' \
  "$D" "$D" "$R" "$D" > VE-SK.INI
w=$(printf 'w\352ze\263')
roz() { printf 'run\r\n'; for l in "$@"; do printf '%s\r\n' "$l"; done; }
# Each round: a node added, priced, simulated and reported; another added and deleted.
rundy() { for i in $(seq 1 "$1"); do roz "$w dodaj 0 0 x1" "zmiana cena alfa rok1 $((200 + i))" "$w symuluj x1" \
  "pokaz x1" "$w dodaj 0 0 x2" "$w kasuj x2" | tail -n +2; done; }
{ roz; rundy 12; } > load.roz
{ roz; rundy 3; } > short.roz
roz "stop" > open.roz
roz "zapytaj x9" "$w dodaj 0 0 x1" "$w symuluj x1" "pokaz x1" > wait.roz
"$W" open.roz BASE.tr1 > /dev/null 2>&1 || { echo "FAIL: no base operator" >&2; exit 1; }
cp BASE.qad REF.qad && cp BASE.tr1 REF.tr1 && "$W" load.roz REF.tr1 > /dev/null 2> ref.err || fail "reference run"

index() { # nodes and simulated flags of the records of $1 into num[], sym[]
  local n=$(( $(stat -c %s "$1") / RS )) i b; num=(); sym=()
  for ((i = 0; i < n; i++)); do b=($(od -An -tu1 -j $((i * RS)) -N5 "$1")); num[i]=${b[0]}; sym[i]=${b[4]}; done
}
record() { # the record of node $2 in $1 (indexed last), on stdout
  local i; for i in "${!num[@]}"; do [ "${num[i]}" = "$2" ] && { dd if="$1" bs=$RS skip=$i count=1 2>/dev/null; return; }; done
}
check() { # operator T after a trial: $1 what, $2 its stderr, $3 "ref" to compare reported nodes with the reference
  local out l n s i q t
  out=$("$W" open.roz T.tr1 2>&1 > /dev/null) || { fail "$1: does not open: $out"; return; }
  ls | grep -qE '^T\.(qad|tr1)\.(tmp|nowy)' && fail "$1: temporary files left: $(ls)"
  # Its files in the spelling they have (T.QAD of a Windows archive).
  q=$(ls | grep -xiE 'T\.qad' | head -1) t=$(ls | grep -xiE 'T\.tr1' | head -1)
  [ -n "$q" ] && [ $(( $(stat -c %s "$q") % RS )) -eq 0 ] || fail "$1: no state file or a partial record"
  index "$q"; declare -A flag; for i in "${!num[@]}"; do flag[${num[i]}]=${sym[i]}; done
  while read -r l; do
    n=${l##* } s=1; [ "${l%% *}" = d ] && s=0
    [ "${flag[$n]:-}" = "$s" ] || fail "$1: node $n stuck or without record ($l)"
  done < <(tr -d '\r\t' < "$t")
  for n in $(grep -a 'wynosi' "$2" | awk '{printf "%d\n", $NF + 0}'); do
    grep -qE "^[[:space:]]*d/r $n"$'\r'"?$" "$t" || fail "$1: reported node $n lost"
    [ "${3:-}" = ref ] || continue
    cmp -s <(record "$q" "$n") <(index REF.qad; record REF.qad "$n") || fail "$1: node $n differs from the reference"
  done
}
fresh() { rm -f T.*; cp BASE.qad T.qad; cp BASE.tr1 T.tr1; }

# kill -9 (and a few SIGINT/SIGTERM/SIGHUP) at random instants.
runtime=$( { /usr/bin/time -f %e "$W" load.roz REF2.tr1 > /dev/null 2>&1; } 2>&1 | tail -1); rm -f REF2.*
k=0
while [ $k -lt "$KILLS" ] && [ $SECONDS -lt $((LIMIT / 2)) ]; do
  fresh; : > err; sig=KILL; [ $((k % 25)) -eq 24 ] && sig=TERM; [ $((k % 25)) -eq 12 ] && sig=INT; [ $((k % 25)) -eq 6 ] && sig=HUP
  "$W" load.roz T.tr1 > /dev/null 2> err & pid=$!
  sleep "$(awk -v r=$RANDOM -v t="$runtime" 'BEGIN { printf "%.3f", r / 32768 * t }')"; kill -$sig $pid 2>/dev/null
  wait $pid; rc=$?
  # A signal before the handler is set (an empty stderr) ends the program before it began.
  [ $sig = KILL ] || [ $rc -eq 0 ] || { [ $rc -eq $((128 + $(kill -l $sig))) ] && { [ ! -s err ] || grep -q Przerwano err; }; } ||
    fail "$sig: exit $rc, $(tail -1 err)"
  check "kill $k ($sig)" err ref; k=$((k + 1))
done
echo "kills: $k"

# One injected failure per run, each call in turn.
f=0
for fn in pwrite fdatasync fsync write rename unlink; do
  for n in $(seq 1 30); do
    [ $SECONDS -lt $((LIMIT * 3 / 4)) ] || break 2
    fresh; rm -f mark
    FAULT_FN=$fn FAULT_N=$n FAULT_MARK=$R/mark LD_PRELOAD=$SHIM "$W" short.roz T.tr1 > /dev/null 2> err; rc=$?
    [ -e mark ] || break
    [ $rc -ne 0 ] && [ -s err ] || fail "$fn #$n: failed silently (exit $rc)"
    check "$fn #$n" err ref; f=$((f + 1))
  done
done
echo "faults: $f"

# Two programs: the second is refused while the first holds the operator.
fresh; rm -f p; mkfifo p
"$W" wait.roz T.tr1 < p > /dev/null 2> errA & a=$!; exec 7> p
for i in $(seq 1 200); do [ -s errA ] && break; sleep 0.05; done  # A waits at "zapytaj"
"$W" load.roz T.tr1 > /dev/null 2> errB; rc=$?
[ $rc -eq 2 ] && grep -q "używany" errB || fail "second program not refused (exit $rc): $(cat errB)"
echo 1 >&7; exec 7>&-; wait $a || fail "first program: $(cat errA)"
check "two programs" errA
for i in $(seq 1 10); do
  fresh; "$W" load.roz T.tr1 > /dev/null 2> errA & a=$!
  sleep "0.0$RANDOM"; "$W" load.roz T.tr1 > /dev/null 2> errB; rb=$?; wait $a; ra=$?
  [ $ra -eq 0 -o $rb -eq 0 ] || fail "both refused: $ra $rb"
  for e in A B; do check "pair $i $e" err$e; done
done

# The lock cannot be bypassed: deleted while held, or one that cannot be
# taken (a dangling symbolic link, a socket, a file the program cannot
# open); each refused with both files unchanged and nothing made elsewhere.
refused() { # $1 what, $2 stderr; the operator's files byte-identical to the fresh copy
  [ $rc -eq 2 ] && [ -s "$2" ] || fail "$1: not refused (exit $rc): $(cat "$2")"
  cmp -s T.qad BASE.qad && cmp -s T.tr1 BASE.tr1 || fail "$1: the operator's files changed"
}
fresh; rm -f p; mkfifo p
"$W" wait.roz T.tr1 < p > /dev/null 2> errA & a=$!; exec 7> p
for i in $(seq 1 200); do [ -s errA ] && break; sleep 0.05; done
rm -f T.lck
"$W" load.roz T.tr1 > /dev/null 2> errB; rc=$?
[ $rc -eq 2 ] && grep -q "używany" errB || fail "lock deleted while held: second program not refused (exit $rc): $(cat errB)"
echo 1 >&7; exec 7>&-; wait $a || fail "lock deleted while held: first program: $(cat errA)"
check "lock deleted while held" errA
for kind in symlink socket unopenable; do
  fresh; rm -rf elsewhere; mkdir elsewhere
  case $kind in
    symlink) ln -s "$R/elsewhere/T.lck" T.lck ;;
    socket) python3 -c 'import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' T.lck 2>/dev/null || continue ;;
    unopenable) : > T.lck ;;
  esac
  FAULT_OPEN=$([ $kind = unopenable ] && echo T.lck) LD_PRELOAD=$SHIM "$W" load.roz T.tr1 > /dev/null 2> err; rc=$?
  refused "lock file $kind" err
  [ -z "$(ls elsewhere)" ] || fail "lock file $kind: created $(ls elsewhere)"
done

# Symbolic links as the state or the tree file are refused, link and target kept.
for f in qad tr1; do
  fresh; rm -rf elsewhere; mkdir elsewhere; mv T.$f elsewhere/; ln -s "$R/elsewhere/T.$f" T.$f
  "$W" load.roz T.tr1 > /dev/null 2> err; rc=$?
  [ -L T.$f ] && mv elsewhere/T.$f . 2>/dev/null || fail "symlinked .$f: link replaced"
  rm -f elsewhere/T.$f; refused "symlinked .$f" err
  grep -q "dowiązaniem" err || fail "symlinked .$f: no reason given: $(cat err)"
done

# Links that cannot be followed: one to nothing (a share not mounted) as
# VE-SK.INI or as the operator's file is refused naming it and its target,
# nothing replaced or made; a loop of links under another name beside T
# (in the working folder, where a bare name is looked for) blocks nothing.
fresh; rm -rf ini; mkdir ini; ln -s /mnt/nie-ma/VE-SK.INI ini/VE-SK.INI
(cd ini && "$W" ../open.roz ../T.tr1 > /dev/null 2> ../err); rc=$?
[ $rc -ne 0 ] && grep -q "VE-SK.INI wskazuje na /mnt/nie-ma/VE-SK.INI" err && [ -L ini/VE-SK.INI ] &&
  [ "$(ls ini)" = VE-SK.INI ] || fail "VE-SK.INI a link to nothing (exit $rc): $(cat err; ls ini)"
rm -rf ini
for f in qad tr1; do
  fresh; mv T.$f T.$f.kopia; ln -s "$R/nie-ma/T.$f" T.$f
  "$W" load.roz T.tr1 > /dev/null 2> err; rc=$?
  [ $rc -eq 2 ] && grep -q "T.$f wskazuje na $R/nie-ma/T.$f" err && [ -L T.$f ] && [ "$(ls T.* | wc -l)" = 3 ] ||
    fail "T.$f a link to nothing (exit $rc): $(cat err; ls T.*)"
  rm T.$f; mv T.$f.kopia T.$f; refused "T.$f a link to nothing" err
done
fresh; ln -s zz zz; "$W" short.roz T.tr1 > /dev/null 2> err || fail "a loop beside T: $(cat err)"
check "a loop beside T" err ref; rm -f zz

# A journal whose removal failed after its node's save: told, and settled
# by the delete and the add after it, which go on.
fresh; roz "$w dodaj 0 0 x1" "zmiana cena alfa rok1 301" "$w kasuj x1" "$w dodaj 0 0 x2" "$w symuluj x2" "pokaz x2" > unl.roz
FAULT_FN=unlink FAULT_N=1 LD_PRELOAD=$SHIM "$W" unl.roz T.tr1 > /dev/null 2> err; rc=$?
[ $rc -eq 1 ] && grep -q 'T\.qad\.zapis' err && grep -q wynosi err || fail "journal not removed: exit $rc, $(cat err)"
[ -e T.qad.zapis ] && fail "journal not removed: still there after the delete"
check "journal not removed" err

# A journal left by a killed save beside a state file restored from a copy
# since (in which node 1 was changed otherwise) is dropped, and said.
fresh; roz "$w dodaj 0 0 x1" > one.roz; "$W" one.roz T.tr1 > /dev/null 2>&1 && cp T.qad K.qad && cp T.tr1 K.tr1
roz "$w ustaw 1" "zmiana cena alfa rok1 377" > z1.roz; roz "$w ustaw 1" "zmiana cena alfa rok1 499" > z2.roz
"$W" z2.roz K.tr1 > /dev/null 2>&1 || fail "journal: no copy"
FAULT_FN=rename FAULT_N=1 FAULT_KILL=after LD_PRELOAD=$SHIM "$W" z1.roz T.tr1 > /dev/null 2>&1
[ -e T.qad.zapis ] || fail "journal: not left by the kill"
cp K.qad T.qad; cp K.tr1 T.tr1; out=$("$W" open.roz T.tr1 2>&1 > /dev/null) || fail "journal: does not open: $out"
cmp -s T.qad K.qad && [ ! -e T.qad.zapis ] && grep -q "innego pliku stanu" <<< "$out" || fail "journal beside a copy: $out"
rm -f K.*

# A .qad or .tr1 with a second name (another operator's file) is refused like a symbolic link.
for f in qad tr1; do
  fresh; rm -f H.*; ln T.$f H.$f
  "$W" load.roz T.tr1 > /dev/null 2> err; rc=$?
  refused "hard-linked .$f" err; grep -q "2 nazwy" err || fail "hard-linked .$f: no reason given: $(cat err)"
  [ "$(stat -c %h T.$f)" = 2 ] || fail "hard-linked .$f: link broken"
  rm -f H.*
done

# A hard link made while the operator is open: the save changes neither name.
fresh; rm -f p H.qad; mkfifo p
"$W" wait.roz T.tr1 < p > /dev/null 2> errA & a=$!; exec 7> p
for i in $(seq 1 200); do [ -s errA ] && break; sleep 0.05; done
ln T.qad H.qad; echo 1 >&7; exec 7>&-; wait $a; rc=$?
[ $rc -ne 0 ] && grep -q "dowiązanie twarde" errA && cmp -s T.qad BASE.qad ||
  fail "hard link made while open: exit $rc, $(cat errA)"
rm -f H.qad

# The .lck deleted and the .qad replaced by a copy while held: the second
# program gets in, the first changes nothing after that and says why.
fresh; rm -f p; mkfifo p
"$W" wait.roz T.tr1 < p > /dev/null 2> errA & a=$!; exec 7> p
for i in $(seq 1 200); do [ -s errA ] && break; sleep 0.05; done
rm -f T.lck; cp T.qad copy; mv copy T.qad
"$W" short.roz T.tr1 > /dev/null 2> errB || fail "state file replaced while held: second program: $(cat errB)"
echo 1 >&7; exec 7>&-; wait $a; rc=$?
[ $rc -ne 0 ] && grep -q "zastąpiony innym plikiem" errA || fail "state file replaced while held: first program went on (exit $rc): $(cat errA)"
check "state file replaced while held" errB

# The same while a save stalls just before it opens the .qad (SIGSTOP), the
# second program adding its node: the first writes nothing over it.
fresh; roz "$w dodaj 0 0 x1" "$w symuluj x1" > a.roz; roz "$w dodaj 0 0 x1" "zmiana cena alfa rok1 333" "$w symuluj x1" > b.roz
FAULT_STOP=T.qad LD_PRELOAD=$SHIM "$W" a.roz T.tr1 > /dev/null 2> errA & a=$!
for i in $(seq 1 200); do ps -o stat= -p $a | grep -q '^T' && break; sleep 0.05; done
rm -f T.lck; cp T.qad copy; mv copy T.qad
"$W" b.roz T.tr1 > /dev/null 2> errB || fail "save stalled: second program: $(cat errB)"
przed=$(md5sum < T.qad); kill -CONT $a; wait $a; rc=$?
[ $rc -ne 0 ] && grep -q "zablokowanego przez ten program" errA && [ "$(md5sum < T.qad)" = "$przed" ] ||
  fail "save stalled: the first program wrote over the second's (exit $rc): $(cat errA)"
check "save stalled" errB

# The signals that would kill the run, sent while a save stands stopped: the
# line is done, the report put in place, and the next open repairs nothing.
roz "raport" "$w dodaj 0 0 x1" > sig.roz
for sig in HUP QUIT USR1 USR2; do
  fresh; rm -f sig.roz.txt*; FAULT_STOP=T.qad LD_PRELOAD=$SHIM "$W" sig.roz T.tr1 > /dev/null 2> err & a=$!
  for i in $(seq 1 200); do ps -o stat= -p $a | grep -q '^T' && break; sleep 0.05; done
  kill -$sig $a; kill -CONT $a; wait $a; rc=$?; out=$("$W" open.roz T.tr1 2>&1 > /dev/null)
  [ $rc -eq $((128 + $(kill -l $sig))) ] && grep -q "Przerwano (SIG$sig)" err && [ -e sig.roz.txt ] &&
    [ ! -e sig.roz.txt.nowy ] && [ -z "$out" ] || fail "SIG$sig during a save: exit $rc, $(tail -1 err) $out $(ls sig.*)"
done

# The same inside a called file: the run ends after its line, asking nothing.
roz "$w dodaj 0 0 x1" "$w dodaj 0 0 x2" > wolany.roz; roz "call wolany.roz" > wolaj.roz
fresh; FAULT_STOP=T.qad LD_PRELOAD=$SHIM "$W" wolaj.roz T.tr1 > /dev/null 2> err & a=$!
for i in $(seq 1 200); do ps -o stat= -p $a | grep -q '^T' && break; sleep 0.05; done
kill -USR2 $a; kill -CONT $a; wait $a; rc=$?
[ $rc -eq 140 ] && grep -q "Przerwano (SIGUSR2)" err && ! grep -q "Czy zako" err ||
  fail "SIGUSR2 during a call: exit $rc, $(cat err)"

# A name too long for the temporary files beside it: refused at once, nothing made.
long=$(printf 'q%.0s' $(seq 1 245))
"$W" open.roz "$long.tr1" > /dev/null 2> err; rc=$?
[ $rc -eq 2 ] && grep -q "nazwa operatora za długa" err || fail "245-byte name (exit $rc): $(cat err)"
ls | grep -q '^qqq' && fail "245-byte name: left $(ls | grep '^qqq' | cut -c 240-)"

# Creation killed before or after each of its file calls: the next run opens the operator.
c=0
for when in before after; do
  for n in $(seq 1 40); do
    rm -f T.* mark
    FAULT_FN=any FAULT_N=$n FAULT_KILL=$when FAULT_MARK=$R/mark LD_PRELOAD=$SHIM "$W" open.roz T.tr1 > /dev/null 2>&1
    [ -e mark ] || break
    : > err; check "creation killed $when call $n" err; c=$((c + 1))
  done
done
echo "creation kills: $c"
# The leftover of a tree save killed inside its temporary file goes at the open.
fresh; : > T.tr1.nowy.tmpAb12Cd; : > err; check "tree save's temporary file" err

# "utwórz plik" over T (its state file in T's spelling or another) and
# over nothing: one injected failure at any file call leaves every file as
# it was and makes none; a run that goes through has made the new
# operator, T's old state file spelt otherwise gone; a kill before or after any call leaves T to open
# as the old operator or the new, never a mix, no old state file beside
# the new, the leftovers an open removes named, a finished creation said.
killed() { # $1 what; the files after a killed creation, then opened
  local left out nowy=0
  left=$(ls | grep -E '^[Tt]\.(qad|tr1)\.(nowy|tmp)' | tr '\n' ' ')
  [ -e T.tr1.nowy ] && [ ! -e T.qad.nowy ] && nowy=1
  out=$("$W" open.roz T.tr1 2>&1 > /dev/null) || { fail "$1: does not open: $out"; return; }
  { cmp -s T.[tT][rR]1 REF.tr1 && cmp -s [Tt].[qQ][aA][dD] REF.qad; } || { cmp -s T.tr1 BASE.tr1 && cmp -s T.qad BASE.qad; } ||
    fail "$1: neither the old operator nor the new: $(ls T.* t.* | tr '\n' ' ')"
  [ "$(ls | grep -ciE '^t\.qad$')" -gt 1 ] && fail "$1: old state file left beside the new"
  [ "$(ls | grep -ciE '^t\.tr1$')" -gt 1 ] && fail "$1: old tree left beside the new"
  grep -q "bez rekordu" <<< "$out" && fail "$1: pruned: $out"
  [ $nowy = 0 ] || grep -q "tworzenie operatora dokończone" <<< "$out" || fail "$1: creation not said finished: $out"
  # (A run that finds no operator makes a new one over the leftovers.)
  grep -q "utworzono nowy" <<< "$out" && return
  for f in $left; do [ -e "$f" ] || grep -qF "$f" <<< "$out" || fail "$1: removed $f unnamed: $out"; done
}
roz "utwórz plik \"T.tr1\"" > create.roz
rm -f T.* t.* A.*; "$W" open.roz A.tr1 > /dev/null 2>&1 || fail "creation: no operator A"
pliki() { local f; for f in [TtA].*; do [ -e "$f" ] && echo "$f $(md5sum < "$f")"; done; }
c=0
for kind in T t new T.QAD; do
  for when in "" before after; do
    for n in $(seq 1 30); do
      rm -f T.* t.* mark
      case $kind in new) ;; T.QAD) cp REF.qad T.QAD; cp REF.tr1 T.TR1 ;; *) cp REF.qad $kind.qad; cp REF.tr1 T.tr1 ;; esac
      before=$(pliki)
      FAULT_FN=any FAULT_N=$n FAULT_KILL=$when FAULT_MARK=$R/mark LD_PRELOAD=$SHIM "$W" create.roz A.tr1 > /dev/null 2> err; rc=$?
      [ -e mark ] || break; c=$((c + 1))
      if [ -n "$when" ]; then
        killed "creation over $kind killed $when call $n"
        [ $kind = t ] || check "creation over $kind killed $when call $n" /dev/null; continue
      fi
      if [ $rc -eq 0 ]; then
        cmp -s T.qad BASE.qad && cmp -s T.tr1 BASE.tr1 && [ "$(ls | grep -ciE '^t\.')" = 3 ] ||
          fail "creation over $kind, fault $n: went through but made $(ls T.* t.* 2>/dev/null | tr '\n' ' ')"
      else
        [ -s err ] && [ "$(pliki)" = "$before" ] || fail "creation over $kind, fault $n (exit $rc): files changed or made: $(cat err)"
      fi
    done
  done
done
echo "creations: $c"
rm -f T.* t.* A.*

# Names in code page 1250, not UTF-8 (two operators from a Windows archive, a
# new name): refused naming the file, no file changed or made.
A=$(printf 'Za\277\363\263\346') B=$(printf 'Za\346\346\346\346')
rm -f T.*; for o in "$A" "$B"; do cp BASE.qad "$o.qad"; cp BASE.tr1 "$o.tr1"; done
stan() { ls | grep -av '^err$'; cat "$A".* "$B".* T.* t.* 2>/dev/null | md5sum; }
before=$(stan)
for name in "$B" "$(printf 'Za\346\346\346\347')"; do
  "$W" short.roz "$name.tr1" > /dev/null 2> err; rc=$?
  [ $rc -eq 2 ] && grep -q 'Za\\xE6\\xE6\\xE6.* nie jest zapisana w UTF-8' err || fail "name not UTF-8: exit $rc, $(cat err)"
  [ "$(stan)" = "$before" ] || fail "name not UTF-8: files changed or made: $(ls)"
done
rm -f "$A".* "$B".*

# Operators whose names differ only in letter case: T's tree with its
# extension in another case is T's, opened without touching t;
# arguments that name no tree file: refused, nothing
# changed or made.
cp BASE.qad T.qad; cp BASE.tr1 T.TR1; cp BASE.qad t.qad; cp BASE.tr1 t.tr1
male=$(cat t.qad t.tr1 | md5sum)
"$W" short.roz T.tr1 > /dev/null 2> err; rc=$?
[ $rc -eq 0 ] && grep -q 'otwarto operator .*/T.TR1' err && [ "$(cat t.qad t.tr1 | md5sum)" = "$male" ] ||
  fail "name [T.tr1]: exit $rc, $(cat err)"
before=$(stan)
for name in T t.qad " .tr1" "T.tr1/"; do
  "$W" short.roz "$name" > /dev/null 2> err; rc=$?
  [ $rc -eq 2 ] || fail "name [$name]: exit $rc, $(cat err)"
  [ "$(stan)" = "$before" ] || fail "name [$name]: files changed or made: $(ls)"
done
rm -f T.* t.*

# Lookups that cannot tell (an input/output error or no permission at
# any stat, listing or read of a folder, an unreadable state file): an
# open or a creation goes through or is refused with a reason; either way
# no file changes and none is made (no new operator in place of T).
snap() { ls | grep -avE '^(err|mark)$'; cat T.* 2>/dev/null | md5sum; }
again() { fresh; "$W" open.roz T.tr1 > /dev/null 2>&1; }
again; base=$(snap); l=0
# Every second call for EIO, every fifth for EACCES (about 180 short runs).
for errno in 5 13; do
  for fn in stat lstat opendir readdir; do
    for n in $(seq $((errno == 5 ? 1 : 2)) $((errno == 5 ? 2 : 5)) 400); do
      rm -f mark
      FAULT_FN=$fn FAULT_N=$n FAULT_ERRNO=$errno FAULT_MARK=$R/mark LD_PRELOAD=$SHIM "$W" open.roz T.tr1 > /dev/null 2> err; rc=$?
      [ -e mark ] || break; l=$((l + 1))
      [ $rc -eq 0 ] || [ -s err ] || fail "$fn #$n errno $errno: failed silently (exit $rc)"
      grep -qE "utworzono nowy|zast.piono" err && fail "$fn #$n errno $errno: an operator made: $(cat err)"
      grep -q "używany" err && fail "$fn #$n errno $errno: told as in use: $(cat err)"
      [ "$(snap)" = "$base" ] || { fail "$fn #$n errno $errno: files changed or made: $(cat err)"; again; }
    done
  done
done
for what in "FAULT_OPEN=T.qad" "FAULT_OPEN=T.qad FAULT_ERRNO=5" "FAULT_LIST=."; do
  env $what LD_PRELOAD=$SHIM "$W" open.roz T.tr1 > /dev/null 2> err; rc=$?; l=$((l + 1))
  [ $rc -eq 2 ] && grep -q "T\.\(qad\|tr1\)\|Folder" err || fail "$what: not refused (exit $rc): $(cat err)"
  [ "$(snap)" = "$base" ] || fail "$what: files changed or made: $(cat err)"
done
# Without its lock file: a stat or lstat failing anywhere, or a run out of open
# files after the lock (a new operator), refuses with the reason and leaves
# no lock file (the command file is read once the operator is open).
for fn in stat lstat; do
  for n in $(seq 1 400); do
    again; rm -f T.lck mark
    FAULT_FN=$fn FAULT_N=$n FAULT_MARK=$R/mark LD_PRELOAD=$SHIM "$W" open.roz T.tr1 > /dev/null 2> err; rc=$?
    [ -e mark ] || break
    grep -q "rozkazów open.roz$" err && fail "$fn #$n: the command file refused without a reason: $(cat err)"
    [ $rc -eq 0 ] || grep -q rozkazów err || [ ! -e T.lck ] || fail "$fn #$n: lock file left: $(cat err)"
  done
done
(for fd in /proc/$BASHPID/fd/*; do fd=${fd##*/}; [ $fd -gt 2 ] && eval "exec $fd>&-"; done  # the limit its own
 ulimit -n 4; "$W" open.roz N.tr1 > /dev/null 2> err)
grep -q "limit otwartych plików programu (4)" err && [ -z "$(ls N.* 2>/dev/null)" ] || fail "4 open files: $(cat err; ls N.*)"
echo "lookups: $l"

echo "seconds: $SECONDS, failures: $fails"
[ $fails -eq 0 ]
