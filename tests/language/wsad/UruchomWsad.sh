#!/bin/sh
# The batch runner end to end: UruchomWsad.sh VESK_WSAD DATA_DIR CASE
# przyklad: the example file exits 0 with one line per declared variable;
# blad: a script error exits 1 naming the file and the line; brak: a
# missing command file exits 2 and makes no operator; operator: a named
# operator is created; swiezy: the first run in a folder without settings;
# utf8: command and tree files in UTF-8, with or without a byte-order mark;
# katalog_operatorow: a bare operator name found in the operator folder;
# nie_do_zapisania: folders (environment, settings) and names that code
# page 1250 cannot spell; pliki: command files that are no text, UTF-16,
# UTF-32, CR-ended, too big or no plain file, lines code page 1250 cannot
# spell (a comment may, and does not decide the encoding), bytes code page
# 1250 leaves unused, "zapytaj" after the end of input, an endless,
# unspellable, CR-ended or unreadable answer, "call" beside the calling
# file, found nowhere and spelt as written, closed standard streams, stdout
# that cannot be written (a full device, a pipe closed by its reader),
# stderr a pipe closed by its reader or one nobody reads (SIGTERM ends the
# run), a file-size limit, and a report that cannot be written at its name
# (refused before the run), and a copy of a stem whose lock another program
# holds.
set -u
wsad="$1"
dane="$2"
przypadek="$3"
praca=$(mktemp -d)
trap 'rm -rf "$praca"' EXIT
cd "$praca" || exit 1
printf '[Katalogi]\r\ncatPARAMETR=%s/PARAMETR/\r\ncatOGRAN=%s/PARAMETR/\r\ncatKARTOPERATORA=%s/\r\ncatTABWZOR=%s/TABWZOR/\r\n' \
  "$dane" "$dane" "$praca" "$dane" > VE-SK.INI

nie() { echo "FAIL: $*" >&2; exit 1; }

case "$przypadek" in
przyklad)
  "$wsad" "$dane/ROZKAZY/przyklad.roz" > wyjscie 2> bledy
  kod=$?
  [ "$kod" -eq 0 ] || nie "exit $kod: $(cat bledy)"
  [ "$(wc -l < wyjscie)" -eq 7 ] || nie "expected 7 variables: $(cat wyjscie)"
  grep -q "^pierwszy	 1.00000000000000E+0000$" wyjscie || nie "pierwszy: $(cat wyjscie)"
  grep -q "^drugi	 2.00000000000000E+0000$" wyjscie || nie "drugi: $(cat wyjscie)"
  grep -q "^przychody2	 [0-9]" wyjscie || nie "przychody2: $(cat wyjscie)"
  [ -f testint.tr1 ] && [ -f testint.qad ] || nie "operator testint not created"
  [ "$(grep -c 'd/r' testint.tr1)" -eq 3 ] || nie "tree: $(cat testint.tr1)"
  ;;
blad)
  printf 'run\r\n+ x1 x1 1\r\n/ x3 x1 0\r\n' > zly.roz
  "$wsad" zly.roz > wyjscie 2> bledy
  kod=$?
  [ "$kod" -eq 1 ] || nie "exit $kod"
  grep -q "zly.roz, wiersz 3: / x3 x1 0" bledy || nie "stderr: $(cat bledy)"
  [ ! -s wyjscie ] || nie "stdout: $(cat wyjscie)"
  ;;
brak)
  "$wsad" brak.roz > wyjscie 2> bledy
  kod=$?
  [ "$kod" -eq 2 ] || nie "exit $kod"
  [ ! -e testint.tr1 ] && [ ! -e testint.qad ] || nie "operator made for a missing command file"
  "$wsad" > /dev/null 2>&1
  [ "$?" -eq 2 ] || nie "no arguments"
  ;;
operator)
  printf 'run\r\nw\352ze\263 dodaj 0 0\r\nprzypisz x4 x1\r\n' > d.roz
  "$wsad" d.roz OP.tr1 > wyjscie 2> bledy
  kod=$?
  [ "$kod" -eq 0 ] || nie "exit $kod: $(cat bledy)"
  [ "$(cat wyjscie)" = "x4	 0.00000000000000E+0000" ] || nie "stdout: $(cat wyjscie)"
  [ "$(grep -c 'd 1' OP.tr1)" -eq 1 ] || nie "tree: $(cat OP.tr1)"
  "$wsad" d.roz OP.tr1 > wyjscie 2> bledy || nie "second run: $(cat bledy)"
  [ "$(grep -c 'd ' OP.tr1)" -eq 2 ] || nie "tree after reopening: $(cat OP.tr1)"
  ;;
swiezy)
  rm VE-SK.INI
  HOME="$praca/dom" VESK_HOME="$praca/vesk" "$wsad" "$dane/ROZKAZY/przyklad.roz" > wyjscie 2> bledy
  kod=$?
  [ "$kod" -eq 0 ] || nie "exit $kod: $(cat bledy)"
  [ -f VE-SK.INI ] && [ -f vesk/OPERATOR/testint.tr1 ] || nie "settings or operator missing: $(ls -R)"
  ;;
utf8)
  # "węzeł" in UTF-8 with a byte-order mark, then without one.
  printf '\357\273\277w\304\231ze\305\202 dodaj 0 0 x1\r\n' > bom.roz
  "$wsad" bom.roz OP.tr1 > wyjscie 2> bledy || nie "with a mark: $(cat bledy)"
  [ "$(grep -c 'd 1' OP.tr1)" -eq 1 ] || nie "tree: $(cat OP.tr1)"
  printf 'deklaracja r\303\263\305\274ne\nw\304\231ze\305\202 dodaj 0 0 r\303\263\305\274ne\n' > bez.roz
  "$wsad" bez.roz OP.tr1 > wyjscie 2> bledy || nie "without a mark: $(cat bledy)"
  [ "$(cat wyjscie)" = "$(printf 'r\303\263\305\274ne\t 2.00000000000000E+0000')" ] || nie "stdout: $(cat wyjscie)"
  # A tree file an editor saved with a mark.
  { printf '\357\273\277'; cat OP.tr1; } > OP.nowy && mv OP.nowy OP.tr1
  "$wsad" bom.roz OP.tr1 > wyjscie 2> bledy || nie "tree with a mark: $(cat bledy)"
  [ "$(grep -c 'd ' OP.tr1)" -eq 3 ] || nie "tree after the mark: $(cat OP.tr1)"
  ;;
bez_drzewa)
  printf 'run\r\nstop\r\n' > s.roz
  "$wsad" s.roz OP.tr1 > /dev/null 2>&1 && rm OP.tr1 && cp OP.qad stary.qad || nie "operator not created"
  "$wsad" s.roz OP.tr1 > wyjscie 2> bledy
  kod=$?
  [ "$kod" -eq 2 ] || nie "exit $kod"
  grep -q "OP.tr1.*OP.qad" bledy || nie "stderr: $(cat bledy)"
  cmp -s OP.qad stary.qad && [ ! -e OP.tr1 ] || nie "the state file was replaced"
  ;;
katalog_operatorow)
  o="$praca/$(printf 'ops \304\205')" r=$(printf 'R\303\263\305\274yczka')
  mkdir -p "$o" praca && cd praca || nie "folders"
  printf '[Katalogi]\ncatPARAMETR=%s/PARAMETR/\ncatOGRAN=%s/PARAMETR/\ncatKARTOPERATORA=%s/\n' "$dane" "$dane" "$o" > VE-SK.INI
  printf 'run\r\nw\352ze\263 dodaj 0 0\r\n' > d.roz
  (cd "$o" && cp "$praca/praca/VE-SK.INI" . && "$wsad" "$praca/praca/d.roz" "$r.tr1") > /dev/null 2> bledy || nie "$(cat bledy)"
  grep -qx "utworzono nowy operator $o/$r.tr1" bledy || nie "creation not told: $(cat bledy)"
  "$wsad" d.roz "$r.tr1" > /dev/null 2> bledy || nie "$(cat bledy)"
  [ ! -s bledy ] && [ "$(grep -c 'd ' "$o/$r.tr1")" -eq 2 ] && [ "$(ls | tr '\n' ' ')" = "VE-SK.INI bledy d.roz " ] ||
    nie "not the operator folder's: $(cat bledy; ls)"
  "$wsad" d.roz nowy.tr1 > /dev/null 2> bledy && grep -qx "utworzono nowy operator $praca/praca/nowy.tr1" bledy ||
    nie "new operator: $(cat bledy)"
  ;;
nie_do_zapisania)
  # Each row: what, the environment, the settings file's BOM and operator
  # folder (-: no file, the run would make one; =: the usual one), the
  # operator argument, and what stderr must say; each run is refused with
  # exit 2, makes nothing and leaves the settings file as it was.
  cyr=$(printf '\320\222\320\265\321\201\320\272') s=$(printf '\305\233') bom=$(printf '\357\273\277')
  zly="$praca/d$(printf '\363')m" nfd=$(printf 'Ro\314\201z\314\207a') u=$(printf '\203')
  printf 'run\r\nw\352ze\263 dodaj 0 0\r\n' > d.roz && cp VE-SK.INI ini.zwykly && mkdir "ops $cyr" || nie "setup"
  "$wsad" d.roz X.tr1 > /dev/null 2>&1 && mv X.tr1 X.qad "ops $cyr/" && rm -f X.lck || nie "no operator X"
  while IFS='|' read -r co srodowisko ustawienia argument oczekiwane; do
    rm -rf tu && mkdir tu && cd tu || nie "$co: folder"
    case $ustawienia in
      -) ;;
      =) cp ../ini.zwykly VE-SK.INI ;;
      *) eval "set -- $ustawienia"
         printf '%s[Katalogi]\ncatPARAMETR=%s/PARAMETR/\ncatOGRAN=%s/PARAMETR/\ncatKARTOPERATORA=%s/\n' \
           "$1" "$dane" "$dane" "$2" > VE-SK.INI ;;
    esac
    przed=$(cat VE-SK.INI 2>/dev/null | md5sum)
    eval "env $srodowisko \"\$wsad\" ../d.roz $argument" > /dev/null 2> ../bledy; kod=$?
    cd .. || nie "$co: back"
    [ "$kod" -eq 2 ] && grep -qF -- "$oczekiwane" bledy || nie "$co: exit $kod: $(cat bledy)"
    [ "$(cd tu && ls | grep -vx VE-SK.INI)" = "" ] && [ "$(cat tu/VE-SK.INI 2>/dev/null | md5sum)" = "$przed" ] ||
      nie "$co: made or changed $(ls tu)"
  done <<WIERSZE
VESK_HOME Cyrillic|VESK_HOME=$praca/$cyr|-||${s}rodowiska VESK_HOME) ma znaki spoza strony kodowej 1250
HOME Cyrillic|VESK_HOME= HOME=$praca/$cyr|-|X.tr1|\u0412\u0435\u0441\u043A (zmienna ${s}rodowiska HOME)
HOME not UTF-8|VESK_HOME= HOME=$zly|-||d\xF3m (zmienna ${s}rodowiska HOME) nie jest zapisana w UTF-8
operator folder Cyrillic|VESK_HOME=$praca/v|'' '$praca/ops $cyr'|X.tr1|wiersz 4: catKARTOPERATORA) ma znaki spoza
operator folder not UTF-8 in a UTF-8 file|VESK_HOME=$praca/v|'$bom' '$zly'|X.tr1|d\xF3m/ (plik ustawie
decomposed operator name|VESK_HOME=$praca/v|=|$nfd.tr1|convmv -f utf8 -t utf8 --nfc
operator folder with a byte code page 1250 leaves unused|VESK_HOME=$praca/v|'' '$praca/ops$u'|X.tr1|wiersz 4 (catKARTOPERATORA=$praca/ops\x83/) ma bajt \x83
WIERSZE
  [ "$(ls "$praca" | grep -vxE "ops $cyr|tu|bledy|d.roz|ini.zwykly|VE-SK.INI")" = "" ] &&
    [ "$(ls "ops $cyr" | tr '\n' ' ')" = "X.qad X.tr1 " ] || nie "folders made or changed: $(ls "$praca" "ops $cyr")"
  ;;
pliki)
  # Each row: what, how its empty folder is filled, the arguments, stdin,
  # then the status, what stderr holds and stdout; a refused command file
  # makes nothing (no testint either) and changes no file. Loops are
  # bounded by timeout, never by a timed check.
  z=$(printf '\305\274\303\263\305\202w') l=$(printf '\305\202') z1=$(printf '\305\274') f=$(printf 'podfolder \305\274')
  g=$(printf 'g\305\202\303\263wny.roz') r=$(printf '\305\201\304\205ka')
  u16() { printf "$1"; printf "$3" | iconv -f utf-8 -t "$2"; }
  # OP with a node and r.roz's report made, then what $1 puts at the report's name.
  raport() {
    printf 'deklaracja n\nw\352ze\263 dodaj 0 0 n\nraport\nzanotuj n\nstop\n' > r.roz &&
      "$wsad" r.roz OP.tr1 > /dev/null 2>&1 && rm r.roz.txt && eval "$1"
  }
  stan() { ls -R; find . -type f -exec cksum {} + | sort; }
  # Memory capped at 4 GB, where no sanitizer needs its terabytes of
  # address space: a read past its bound ends there.
  pamiec=unlimited; grep -q __asan_init "$wsad" || pamiec=4194304
  while IFS='~' read -r co wypelnij argumenty wejscie status bledy wyjscie; do
    # A row may run the program under a lower limit (limit), or be left
    # out (pomin).
    limit= pomin=
    rm -rf "$praca/t" && mkdir "$praca/t" && cd "$praca/t" && cp ../VE-SK.INI . && eval "$wypelnij" || nie "$co: setup"
    [ -z "$pomin" ] || { echo "skipped: $co ($pomin)"; continue; }
    przed=$(stan | md5sum)
    printf "$wejscie" | (ulimit -v $pamiec && eval "timeout 20 $limit \"\$wsad\" $argumenty") > "$praca/wyjscie" 2> "$praca/bledy"; kod=$?
    [ "$kod" -eq "$status" ] && { [ -z "$bledy" ] || grep -qF -- "$bledy" "$praca/bledy"; } && [ "$(cat "$praca/wyjscie")" = "$(printf "$wyjscie")" ] ||
      nie "$co: exit $kod: $(tail -n 3 "$praca/bledy"; cat "$praca/wyjscie")"
    [ "$status" -ne 2 ] || { [ "$(stan | md5sum)" = "$przed" ] && [ ! -e "$praca/testint.tr1" ]; } ||
      nie "$co: made or changed $(stan; ls "$praca")"
  done <<WIERSZE
zapytaj after the end of input~printf 'run\ndeklaracja odp\nwhile <= odp 0\n zapytaj odp\nendwhile\n' > p.roz~p.roz OP.tr1~0\n-1\n~1~Przyczyna: koniec danych wej~
NUL bytes (a program)~head -c 3000 "$wsad" > f.roz~f.roz OP.tr1~~2~f.roz nie jest plikiem tekstowym~
UTF-16LE with its mark~u16 '\377\376' utf-16le 'deklaracja $z\r\n+ $z $z 4' > f.roz~f.roz OP.tr1~~0~~$z\t 4.00000000000000E+0000
UTF-16BE with its mark~u16 '\376\377' utf-16be 'deklaracja $z\n+ $z $z 4' > f.roz~f.roz OP.tr1~~0~~$z\t 4.00000000000000E+0000
UTF-16 beyond code page 1250~u16 '\377\376' utf-16le 'rem \320\222\ndeklaracja \320\222' > f.roz~f.roz OP.tr1~~2~wiersz 2 (deklaracja \u0412) ma znak \u0412 spoza strony kodowej 1250~
UTF-16 of an odd length~{ u16 '\377\376' utf-16le 'run'; printf x; } > f.roz~f.roz OP.tr1~~2~f.roz zapisany w UTF-16 jest uszkodzony~
UTF-16 without a mark~u16 '' utf-16le 'run' > f.roz~f.roz OP.tr1~~2~f.roz jest zapisany w UTF-16 bez znacznika~
UTF-32~u16 '' utf-32 'run' > f.roz~f.roz OP.tr1~~2~f.roz jest zapisany w UTF-32~
UTF-8 beyond code page 1250~printf 'run\ndeklaracja \320\262\320\265\321\201\ndeklaracja \320\261\320\265\320\263\n' > f.roz~f.roz OP.tr1~~2~f.roz, wiersz 2 (deklaracja \u0432\u0435\u0441) ma znak \u0432 spoza~
a comment keeps any character~printf 'run\nREM krok \342\206\222 \320\222\ndeklaracja a\n+ a a 4\n' > f.roz~f.roz OP.tr1~~0~~a\t 4.00000000000000E+0000
a name beyond code page 1250~printf 'run\nutw\303\263rz plik "Gr\316\261.tr1"\n' > f.roz~f.roz OP.tr1~~2~wiersz 2 (utwórz plik "Gr\u03B1.tr1") ma znak \u03B1 spoza strony kodowej 1250 - nazwa ani warto
a decomposed name~printf 'run\nutw\303\263rz plik "Zaz\314\207o\314\201\305\202c\314\201.tr1"\n' > f.roz~f.roz OP.tr1~~2~diakrytyczny \u0307) - wpisz je na nowo~
a stray byte in a UTF-8 line~printf 'run\nmessage z\305\202y \261\nw\304\231ze\305\202 dodaj 0 0 x1\n' > f.roz~f.roz OP.tr1~~2~wiersz 2 (message zĹ‚y ±) jest zapisany w stronie kodowej 1250, a wiersz 3 (węzeł dodaj 0 0 x1) w UTF-8~
a UTF-8 line in a code page 1250 file~printf 'run\nutw\303\263rz plik "Wynik.tr1"\nw\352ze\263 dodaj 0 0 x1\nw\352ze\263 symuluj x1\nmessage dodano\n' > f.roz~f.roz OP.tr1~~2~f.roz: wiersz 2 (utwórz plik "Wynik.tr1") jest zapisany w UTF-8, a wiersz 3 (węzeł dodaj 0 0 x1) w stronie kodowej 1250 - zapisz cały plik w jednym z nich~
as many UTF-8 sequences as code page 1250 letters~printf 'run\ndeklaracja b\303\263\nmessage \363\n' > f.roz~f.roz OP.tr1~~2~wiersz 2 (deklaracja bó) jest zapisany w UTF-8, a wiersz 3 (message ó) w stronie kodowej 1250~
code page 1250 letters that are UTF-8 pairs~printf 'run\nmessage P\323\243ROCZE I, P\323\243ROCZE II, P\323\243ROCZE III\nw\352ze\263 dodaj 0 0 x1\n' > f.roz~f.roz OP.tr1~~0~ półrocze i, półrocze ii, półrocze iii~x4\t 0.00000000000000E+0000
code page 1250 after a UTF-8 mark~printf '\357\273\277run\nmessage \277\363\263\346\n' > f.roz~f.roz OP.tr1~~2~wiersz 2 (message \xBF\xF3\xB3\xE6) nie jest zapisany w UTF-8 (bajt \xBF), choć plik zaczyna się znacznikiem UTF-8 (BOM)~
two files with marks joined~printf '\357\273\277run\n' > a && cat a a > f.roz && rm a~f.roz OP.tr1~~2~wiersz 2 (\uFEFFrun) ma znacznik kolejności bajtów (BOM, \uFEFF) pozostawiony wewnątrz pliku~
a stray byte in a UTF-8 comment~printf 'run\nrem z\305\202y \261\ndeklaracja n\nw\304\231ze\305\202 dodaj 0 0 n\n' > f.roz~f.roz OP.tr1~~0~~n\t 1.00000000000000E+0000
a called file beyond code page 1250~printf 'run\ncall d.roz\n' > f.roz && printf '+ x1 x1 \320\222\n' > d.roz~f.roz OP.tr1~~1~Przyczyna: Plik rozkazów d.roz, wiersz 1~
an endless answer~printf 'run\nzapytaj x1\n' > p.roz~p.roz OP.tr1 < /dev/zero~~1~Przyczyna: odpowiedź dłuższa niż 65536 bajtów~
an answer of a number too large~printf 'run\nzapytaj x1\n' > p.roz && { printf 7; head -c 65535 /dev/zero | tr '\0' 0; echo; } > z~p.roz OP.tr1 < z~~1~Przyczyna: liczba "7000000000000000000000000000000000000000..." jest za duża~
call with a TAB~printf 'run\ncall\tceny.roz\n' > f.roz && printf 'run\n' > ceny.roz~f.roz OP.tr1~~1~po call nie ma nazwy pliku (słowa wiersza rozdziela spacja lub przecinek, nie tabulator: call\x09ceny.roz)~
call with a blank and a TAB~printf 'run\ncall \t ceny.roz\n' > f.roz && printf 'run\n' > ceny.roz~f.roz OP.tr1~~1~brak pliku rozkazów \x09 (słowa wiersza rozdziela spacja lub przecinek, nie tabulator) (wywołany~
call beside a folder of the name~mkdir Ceny.roz && printf 'run\nmessage wewn\n' > ceny.roz && printf 'run\ncall CENY.roz\n' > f.roz~f.roz OP.tr1~~0~ wewn~x4\t 0.00000000000000E+0000
call of a file named decomposed~printf 'run\n' > "$(printf 'za\314\250b.roz')" && printf 'run\ncall z\271b.roz\n' > f.roz~f.roz OP.tr1~~1~brak pliku rozkazów ząb.roz: Nazwa pliku za\u0328b.roz ma litery zapisane w postaci rozłożonej (NFD~
an answer beyond code page 1250~printf 'run\nzapytaj x1\n' > p.roz~p.roz OP.tr1~5 \320\226\n~1~ma znak \u0416 spoza strony kodowej 1250~
standard streams closed: the report holds only what it notes~printf 'raport\nzanotuj x1\nmessage uwaga\npokaz x1\nzanotuj x1\n' > r.roz && "$wsad" r.roz OP.tr1 > /dev/null 2>&1~r.roz OP.tr1 <&- >&- 2>&- && tr -d '\r' < r.roz.txt~~0~~ 0.00000000000000E+0000\n 0.00000000000000E+0000
CR line ends~printf 'run\rdeklaracja a\r+ a a 4\r' > f.roz~f.roz OP.tr1~~0~~a\t 4.00000000000000E+0000
over the bound~truncate -s 17M f.roz~f.roz OP.tr1~~2~16 MB (16777216 bajt~
a name too long~~$(printf 'a%.0s' $(seq 300)).roz OP.tr1~~2~nazwa za d${l}uga (nazwa pliku lub folderu mo${z1}e mie$(printf '\304\207') najwy${z1}ej 255 bajt~
four open files at most~limit='prlimit --nofile=4' && printf 'run\n' > f.roz && "$wsad" f.roz OP.tr1 > /dev/null && [ $pamiec != unlimited ] || pomin='the sanitizers need more'~f.roz OP.tr1 3<&- 4<&- 5<&- 6<&- 7<&- 8<&- 9<&-~~2~limit otwartych plik$(printf '\303\263')w programu (4) - zob. ulimit -n~
a file of size 0 that never ends~ln -s /proc/self/pagemap f.roz~f.roz OP.tr1~~2~f.roz: plik jest za du${z1}y (ponad 16 MB)~
a named pipe~mkfifo f.roz~f.roz OP.tr1~~2~f.roz nie jest zwyk${l}ym plikiem: to jest potok nazwany (FIFO)~
a folder~mkdir f.roz~f.roz OP.tr1~~2~: to jest folder~
settings a named pipe~printf 'run\n' > f.roz && rm VE-SK.INI && mkfifo VE-SK.INI~f.roz OP.tr1~~2~VE-SK.INI nie daje si$(printf '\304\231') odczyta$(printf '\304\207'): to jest potok nazwany (FIFO) - nic nie zosta~
settings a link to /dev/zero~printf 'run\n' > f.roz && rm VE-SK.INI && ln -s /dev/zero VE-SK.INI~f.roz OP.tr1~~2~: to jest urz$(printf '\304\205')dzenie - nic nie zosta~
a folder in the tree's place beside the state file~printf 'run\n' > f.roz && "$wsad" f.roz OP.tr1 > /dev/null 2>&1 && rm OP.tr1 OP.lck && mkdir OP.tr1~f.roz OP.tr1~~2~nie ma pliku drzewa (OP.tr1 jest folderem) - operator nie zosta~
call beside the calling file~mkdir "$f" "$r" && printf 'run\ndeklaracja a\ncall d.roz\n' > "$f/$g" && printf '+ x1 x1 7\n' > "$f/d.roz" && cp VE-SK.INI "$r" && cd "$r"~"../$f/$g" OP.tr1~~0~~a\t 7.00000000000000E+0000
a call found nowhere~mkdir "$f" && printf 'run\n\ncall brak.roz\n+ x1 x1 1\n' > "$f/$g"~"$f/$g" OP.tr1~~1~brak.roz (wywo${l}any w $f/$g, wiersz 3)~
comments in code page 1250 above UTF-8 commands~printf 'rem \277\271\352\263\237\277\271\352\nrem \263\237\277\271\352\263\237\277\nrun\ndeklaracja r\303\263\305\274ne\nw\304\231ze\305\202 dodaj 0 0 r\303\263\305\274ne\n' > f.roz~f.roz OP.tr1~~0~~r\303\263\305\274ne\t 1.00000000000000E+0000
a comment does not hide a decomposed letter~printf 'rem \261\261\261\261\261\nprzypisz s\314\201red 9\n' > f.roz~f.roz OP.tr1~~2~diakrytyczny \u0301)~
a mark before a comment (files joined)~printf 'run\nprzypisz x4 3\n\357\273\277rem \342\206\222\nprzypisz x4 5\n' > f.roz~f.roz OP.tr1~~0~~x4\t 5.00000000000000E+0000
code page 1250 letters that are a UTF-8 pair~printf 'run\nmessage P\323\243ROCZE 1\n' > f.roz~f.roz OP.tr1~~0~ półrocze 1~x4\t 0.00000000000000E+0000
a code page 1250 file of lines that read both ways~printf 'run\ndeklaracja zysk\nprzypisz zysk 4\nmessage KONIEC ZADA\321\205\nmessage "Zapisz si\352\205\224\n' > f.roz~f.roz OP.tr1~~0~ koniec zadań…~zysk\t 4.00000000000000E+0000
lines that read both ways below code page 1250 letters~printf 'run\ndeklaracja \277\363\263w\nmessage "Zapisz si\352\205\224\nmessage KONIEC ZADA\321\205\n' > f.roz~f.roz OP.tr1~~0~ "zapisz się…”~\305\274\303\263\305\202w\t 0.00000000000000E+0000
a small letter of another language before Polish punctuation~printf 'run\ndeklaracja \277\363\263w\nmessage "Caf\351\205\224\n' > f.roz~f.roz OP.tr1~~0~ "café…”~\305\274\303\263\305\202w\t 0.00000000000000E+0000
a call in a UTF-8 file that reads both ways~printf 'run\ndeklaracja \305\274\303\263\305\202w\ncall \321\217.roz\n' > f.roz && printf 'przypisz x4 1\n' > "$(printf '\321\217.roz')" && printf 'przypisz x4 2\n' > "$(printf '\305\203\305\271.roz')"~f.roz OP.tr1~~2~wiersz 3 (call \u044F.roz) ma znak \u044F spoza strony kodowej 1250~
an answer that reads both ways~printf 'run\ndeklaracja odp\nzapytaj odp\n' > p.roz~p.roz OP.tr1~40 ZADA\321\205\n~0~~odp\t 4.00000000000000E+0001
an unpaired UTF-16 surrogate~printf '\377\376r\0u\0n\0\n\0m\0\000\330\n\0' > f.roz~f.roz OP.tr1~~2~wiersz 2 (m\uD800) ma połowę pary surogatów UTF-16 bez drugiej (\uD800)~
a byte code page 1250 leaves unused in a name~printf 'run\nutw\363rz plik "a\203b.tr1"\n' > f.roz~f.roz OP.tr1~~2~wiersz 2 (utwórz plik "a\x83b.tr1") ma bajt \x83, któremu strona kodowa 1250 nie przypisuje znaku~
a byte code page 1250 leaves unused in an answer~printf 'run\nzapytaj x1\n' > p.roz~p.roz OP.tr1~5\230\n~1~odpowiedź (5\x98) ma bajt \x98~
stdout on a full device~printf 'przypisz x4 3\n' > f.roz~f.roz OP.tr1 > /dev/full~~1~Nie można zapisać wyników na standardowe wyjście: brak miejsca na dysku~
a pipe closed by its reader: the line done, the report kept~printf 'run\nraport\nzanotuj x1\nmessage uwaga\n+ x1 x1 1\nzanotuj x1\n' > r.roz && "$wsad" r.roz OP.tr1 > /dev/null 2>&1 && mkfifo rura && exec 4<>rura 5>rura 4<&-~r.roz OP.tr1 2>&5 5>&-; echo \$?; exec 5>&-; test ! -e r.roz.txt.nowy && tr -d '\r' < r.roz.txt~~0~~141\n 0.00000000000000E+0000
a link at the report's temporary name: refused, its target unchanged~printf 'run\nraport\nzanotuj x1\n' > r.roz && printf moje > n.txt && ln -s n.txt r.roz.txt.nowy~r.roz OP.tr1; echo \$?; cat n.txt~~0~(plik r.roz.txt.nowy): dowi$(printf '\304\205')zanie symboliczne - nie zosta${l} zmieniony~1\nmoje
a hard link at the report's temporary name: refused, the file unchanged~printf 'run\nraport\nzanotuj x1\n' > r.roz && printf moje > n.txt && ln n.txt r.roz.txt.nowy~r.roz OP.tr1; echo \$?; cat n.txt~~0~(dowi$(printf '\304\205')zanie twarde)~1\nmoje
a report at a folder: refused before the first line~raport 'mkdir r.roz.txt'~r.roz OP.tr1~~2~Nie można zapisać pliku raportu r.roz.txt: to jest folder - plik rozkazów r.roz nie został wykonany, nic nie zostało zmienione~
a report at a folder, no operator named~raport 'mkdir r.roz.txt'~r.roz~~2~r.roz.txt: to jest folder - plik~
a report at a read-only file~raport 'printf moje > r.roz.txt && chmod 444 r.roz.txt'~r.roz OP.tr1~~2~r.roz.txt: plik tylko do odczytu - plik~
a report at a named pipe~raport 'mkfifo r.roz.txt'~r.roz OP.tr1~~2~r.roz.txt: to jest potok nazwany (FIFO) - plik~
a report whose name cannot be looked up~raport 'mv r.roz $(printf "a%.0s" $(seq 251)).roz'~a*.roz OP.tr1~~2~.roz.txt: nazwa za d${l}uga~
no report asked for at the top: its name not looked at~mkdir f.roz.txt c.roz.txt && printf 'run\ncall c.roz\n' > f.roz && printf 'raport\n' > c.roz~f.roz OP.tr1~~0~~x4\t 0.00000000000000E+0000
a killed run's report left: removed and said~printf 'run\nraport\nzanotuj x1\n' > r.roz && printf stary > r.roz.txt.nowy~r.roz OP.tr1; tr -d '\r' < r.roz.txt~~0~Usuni$(printf '\304\231')to plik r.roz.txt.nowy pozostawiony przez przerwane wykonanie skryptu~x4\t 0.00000000000000E+0000\n 0.00000000000000E+0000
a file-size limit: told, the next open silent~limit='prlimit --fsize=60000' && printf 'run\nw\352ze\263 dodaj 0 0\nw\352ze\263 dodaj 0 0\n' > f.roz && printf 'stop\n' > o.roz~f.roz OP.tr1; echo \$?; "\$wsad" o.roz OP.tr1 2>&1 > /dev/null~~0~plik jest za duży: przekroczono limit rozmiaru pliku (ulimit -f)~1
SIGTERM while stderr waits on a full pipe~limit='timeout -s KILL 10' && mkfifo rura && printf 'run\nwhile < x1 5000\n+ x1 x1 1\nmessage %0100d\nendwhile\n' 0 > m.roz~m.roz OP.tr1 2<>rura & sleep 0.5; kill -TERM \$!; wait \$!; echo \$?~~0~~143
stdout a pipe closed by its reader~printf 'przypisz x4 3\n' > f.roz && mkfifo rura && exec 4<>rura 5>rura 4<&-~f.roz OP.tr1 >&5 5>&-~~141~standardowe wyjście: odbiorca potoku zakończył odczyt~
call spelt as written~printf 'run\ncall Ceny.roz\n' > f.roz && printf 'przypisz x4 1\n' > Ceny.roz && printf 'przypisz x4 2\n' > ceny.roz~f.roz OP.tr1~~0~~x4\t 1.00000000000000E+0000
answers ended by lone CRs~printf 'run\nzapytaj x1\nzapytaj x2\n+ x4 x1 x2\n' > p.roz~p.roz OP.tr1~5\r3\r~0~~x4\t 8.00000000000000E+0000
an answer of the longest length ended by CR LF~printf 'run\nzapytaj x4\n' > p.roz && { printf 7; head -c 65535 /dev/zero | tr '\\0' ' '; printf '\r\n'; } > a~p.roz OP.tr1 < a~~0~~x4\t 7.00000000000000E+0000
standard input a folder~printf 'run\nzapytaj x4\n' > p.roz~p.roz OP.tr1 < .~~1~odpowiedzi ze standardowego wejścia: to jest folder~
a copy while another program holds its stem's lock~mkdir "$f" && printf 'run\n' > p.roz && "$wsad" p.roz "$f/OP.tr1" > /dev/null 2>&1 && cp "$f/OP.tr1" "$f/OP.TR1" && cp "$f/OP.qad" "$f/OP.QAD" && : >> "$f/OP.lck" && limit='flock -n "$f/OP.lck"'~p.roz "$f/OP.TR1"~~2~Operator $f/OP.TR1 ma wspólną blokadę $f/OP.lck z operatorem otwartym w innym programie - nie otwarto go~
WIERSZE
  ;;
*)
  nie "unknown case $przypadek"
  ;;
esac
echo ok
