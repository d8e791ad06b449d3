#!/usr/bin/env bash
# Writes the workbook fixtures of other writers' habits to tests/spreadsheet/data:
# - headless LibreOffice (Debian package libreoffice-calc-nogui) saves a flat
#   ODS made here as BIFF8, "lo-tablice.xls": array formulas of one cell and
#   of three, IFERROR (stored as "_xlfn.IFERROR"), two defined names in a
#   formula; with its formula export as CSV ("lo-tablice-Tablice.csv");
# - gnumeric's ssconvert (Debian package gnumeric; a tool for these files
#   only, nothing builds or tests with it) converts that file to BIFF5,
#   "gn-tablice-biff5.xls" (names, IFERROR and arrays in BIFF5 formulas), and
#   a CSV of long texts made here ("gn-dlugi-tekst.csv", committed as the
#   expected cells) to BIFF5, "gn-dlugi-tekst-biff5.xls": a text of 3,000
#   characters goes on in CONTINUE records after its LABEL;
# - ssconvert --recalc converts a LibreOffice file of array formulas whose
#   first cells give a text ("w0-x"), a boolean, an error (#DIV/0!) and a
#   number to BIFF8 and BIFF5, "gn-tablice-wyniki.xls" and
#   "gn-tablice-wyniki-biff5.xls": gnumeric caches each result, a text in a
#   STRING record after the ARRAY record;
# - ssconvert converts a LibreOffice BIFF8 file of rich texts made here (bold,
#   italic and red runs, Polish letters, one text of 3,001 characters) to
#   BIFF8 and BIFF5, "gn-bogaty-biff8.xls" and "gn-bogaty-biff5.xls": gnumeric
#   writes rich cells as RSTRING records with their runs (in BIFF5 the long
#   one's runs after its CONTINUE record), and its BIFF5 keeps the source's
#   code page 1200: texts of ASCII characters as bytes, any other (sheet
#   name, labels, a formula's text) as UTF-16 counted in bytes;
# - ssconvert converts a LibreOffice BIFF8 file of two long rich texts made
#   here (a bold run, then "gęślą jaźń " 500 and 1,145 times) to BIFF8,
#   "gn-bogaty-dlugi-biff8.xls": gnumeric splits each RSTRING's bytes over
#   CONTINUE records as they come, without option bytes, inside a 16-bit
#   character ("ą": 05 | 01; "l": 6C | 00);
# - headless LibreOffice saves a sheet with an embedded line chart of two
#   series made here as BIFF8, "lo-wykres-linie.xls", and ssconvert converts
#   that to BIFF8, "gn-wykres-linie.xls": the chart's substream holds
#   MARKERFORMAT records (0x1009);
# - ssconvert converts a CSV of one formula, =REPT("é";4112), to BIFF8,
#   "gn-rept-biff8.xls": its STRING record ends with the low byte of an "é"
#   (E9), the CONTINUE after it holding 00 E9 00 bare, which read with an
#   option byte would give a NUL;
# - ssconvert converts a LibreOffice BIFF8 file of one text of 1,500
#   alternately bold characters made here to BIFF5, "gn-runy-biff5.xls":
#   gnumeric's RSTRING counts its 1,500 runs in one byte (220) and writes
#   them all, over two CONTINUE records after the one its count needs;
# - xlwt (Debian package python3-xlwt) writes "xlwt-liczby.xls", a sheet of
#   ten-digit numbers without a DEFCOLWIDTH record.
set -euo pipefail
cd "$(dirname "$0")/.."

out=tests/spreadsheet/data
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

num() { echo "<table:table-cell office:value-type=\"float\" office:value=\"$1\"/>"; }
cat > "$work/lo-tablice.fods" <<FODS
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet>
<table:named-expressions>
 <table:named-range table:name="Stawka" table:base-cell-address="\$Tablice.\$A\$1" table:cell-range-address="\$Tablice.\$A\$1"/>
 <table:named-range table:name="Zakres_A" table:base-cell-address="\$Tablice.\$A\$1" table:cell-range-address="\$Tablice.\$A\$1:.\$A\$5"/>
</table:named-expressions>
<table:table table:name="Tablice">
$(for r in 1 2 3 4 5; do echo "<table:table-row>$(num $r)$(num $((r * 10)))</table:table-row>"; done)
<table:table-row>
 <table:table-cell table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="1" table:formula="of:=SUM([.A1:.A5]*[.B1:.B5])"/>
 <table:table-cell table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="3" table:formula="of:=[.A1:.A3]*10"/>
 <table:table-cell table:formula="of:=IFERROR(1/0;-1)"/>
 <table:table-cell table:formula="of:=SUM(Zakres_A)*Stawka"/>
</table:table-row>
<table:table-row><table:table-cell/><table:table-cell/></table:table-row>
<table:table-row><table:table-cell/><table:table-cell/></table:table-row>
</table:table>
</office:spreadsheet></office:body></office:document>
FODS
(cd "$work" && soffice --headless --convert-to xls lo-tablice.fods >/dev/null 2>&1 &&
  soffice --headless --convert-to \
    'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,true,false,-1' \
    lo-tablice.fods >/dev/null 2>&1)
cp "$work/lo-tablice.xls" "$work/lo-tablice-Tablice.csv" "$out/"

ssconvert -T Gnumeric_Excel:excel_biff7 "$out/lo-tablice.xls" "$out/gn-tablice-biff5.xls" 2>/dev/null

# Texts of 3,000 and 300 characters, one of 2,072 (what fits one BIFF5
# LABEL) and numbers; no commas or quotes, so that the CSV reads plainly.
{
  for n in 3000 300 2072; do
    text=""
    for ((i = 1; ${#text} < n; ++i)); do text+="tekst $i "; done
    echo "${text:0:n},$n"
  done
  echo "krótki,1.5"
} > "$out/gn-dlugi-tekst.csv"
ssconvert -T Gnumeric_Excel:excel_biff7 "$out/gn-dlugi-tekst.csv" "$out/gn-dlugi-tekst-biff5.xls" 2>/dev/null

# Array formulas of one result kind each (A4:A6, B4:B6, C4:C6, D4:D6),
# cached by gnumeric's recalculation (LibreOffice's export leaves 0).
cat > "$work/lo-tablice-wyniki.fods" <<'FODS'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet>
<table:table table:name="Wyniki">
<table:table-row><table:table-cell office:value-type="float" office:value="1"/><table:table-cell office:value-type="float" office:value="0"/><table:table-cell office:value-type="string"><text:p>w0</text:p></table:table-cell></table:table-row>
<table:table-row><table:table-cell office:value-type="float" office:value="2"/><table:table-cell office:value-type="float" office:value="1"/><table:table-cell office:value-type="string"><text:p>żółw</text:p></table:table-cell></table:table-row>
<table:table-row><table:table-cell office:value-type="float" office:value="3"/><table:table-cell office:value-type="float" office:value="2"/><table:table-cell office:value-type="string"><text:p>w2</text:p></table:table-cell></table:table-row>
<table:table-row>
 <table:table-cell table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="3" table:formula="of:=[.C1:.C3]&amp;&quot;-x&quot;"/>
 <table:table-cell table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="3" table:formula="of:=[.A1:.A3]&lt;2"/>
 <table:table-cell table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="3" table:formula="of:=[.A1:.A3]/[.B1:.B3]"/>
 <table:table-cell table:number-matrix-columns-spanned="1" table:number-matrix-rows-spanned="3" table:formula="of:=[.A1:.A3]*10"/>
</table:table-row>
<table:table-row><table:table-cell/><table:table-cell/><table:table-cell/><table:table-cell/></table:table-row>
<table:table-row><table:table-cell/><table:table-cell/><table:table-cell/><table:table-cell/></table:table-row>
</table:table>
</office:spreadsheet></office:body></office:document>
FODS
(cd "$work" && soffice --headless --convert-to xls lo-tablice-wyniki.fods >/dev/null 2>&1)
ssconvert --recalc -T Gnumeric_Excel:excel_biff8 "$work/lo-tablice-wyniki.xls" "$out/gn-tablice-wyniki.xls" 2>/dev/null
ssconvert --recalc -T Gnumeric_Excel:excel_biff7 "$work/lo-tablice-wyniki.xls" "$out/gn-tablice-wyniki-biff5.xls" 2>/dev/null

# Rich texts: cells of runs, one plain, one long, a formula with a text.
cat > "$work/gn-bogaty.fods" <<FODS
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
 <style:style style:name="T1" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
 <style:style style:name="T2" style:family="text"><style:text-properties fo:font-style="italic"/></style:style>
 <style:style style:name="T3" style:family="text"><style:text-properties fo:color="#ff0000"/></style:style>
</office:automatic-styles>
<office:body><office:spreadsheet>
<table:table table:name="Wyróżnienia">
<table:table-row>
 <table:table-cell office:value-type="string"><text:p>Zwykły <text:span text:style-name="T1">pogrubiony</text:span> koniec</text:p></table:table-cell>
 <table:table-cell office:value-type="string"><text:p><text:span text:style-name="T2">kursywa</text:span> i <text:span text:style-name="T3">czerwony</text:span></text:p></table:table-cell>
 <table:table-cell table:formula="of:=&quot;Łódź &quot;&amp;[.A2]"/>
</table:table-row>
<table:table-row>
 <table:table-cell office:value-type="string"><text:p>zwykły tekst</text:p></table:table-cell>
 <table:table-cell office:value-type="float" office:value="2.5"/>
</table:table-row>
<table:table-row>
 <table:table-cell office:value-type="string"><text:p><text:span text:style-name="T1">B</text:span>$(printf 'x%.0s' $(seq 3000))</text:p></table:table-cell>
 <table:table-cell office:value-type="string"><text:p>plain ascii</text:p></table:table-cell>
</table:table-row>
</table:table>
</office:spreadsheet></office:body></office:document>
FODS
(cd "$work" && soffice --headless --convert-to xls gn-bogaty.fods >/dev/null 2>&1)
ssconvert -T Gnumeric_Excel:excel_biff8 "$work/gn-bogaty.xls" "$out/gn-bogaty-biff8.xls" 2>/dev/null
ssconvert -T Gnumeric_Excel:excel_biff7 "$work/gn-bogaty.xls" "$out/gn-bogaty-biff5.xls" 2>/dev/null

# A flat ODS of one sheet ($1) of the rows on standard input, with a bold
# text style T1.
bold_fods() {
  cat <<FODS
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
 <style:style style:name="T1" style:family="text"><style:text-properties fo:font-weight="bold"/></style:style>
</office:automatic-styles>
<office:body><office:spreadsheet>
<table:table table:name="$1">
$(cat)
</table:table>
</office:spreadsheet></office:body></office:document>
FODS
}

# Long rich texts: the record boundary falls inside a character.
times() { local t=""; for ((i = 0; i < $1; ++i)); do t+="gęślą jaźń "; done; echo "$t"; }
bold_fods Bogaty > "$work/gn-bogaty-dlugi.fods" <<ROWS
<table:table-row>
 <table:table-cell office:value-type="string"><text:p><text:span text:style-name="T1">Pogrubione </text:span>$(times 500)</text:p></table:table-cell>
</table:table-row>
<table:table-row>
 <table:table-cell office:value-type="string"><text:p><text:span text:style-name="T1">Pogrubiony: </text:span>$(times 1145)</text:p></table:table-cell>
</table:table-row>
ROWS
(cd "$work" && soffice --headless --convert-to xls gn-bogaty-dlugi.fods >/dev/null 2>&1)
ssconvert -T Gnumeric_Excel:excel_biff8 "$work/gn-bogaty-dlugi.xls" "$out/gn-bogaty-dlugi-biff8.xls" 2>/dev/null

# A line chart with markers in a sheet.
num3() { echo "<table:table-row>$(num "$1")$(num "$2")$(num "$3")${4-}</table:table-row>"; }
str() { echo "<table:table-cell office:value-type=\"string\"><text:p>$1</text:p></table:table-cell>"; }
cat > "$work/lo-wykres-linie.fods" <<FODS
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:chart="urn:oasis:names:tc:opendocument:xmlns:chart:1.0" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet>
<table:table table:name="Linie">
<table:table-row>$(str Rok)$(str Sprzedaż)$(str Koszty)</table:table-row>
$(num3 1 10 7)
$(num3 2 20 12)
$(num3 3 15 11 '<table:table-cell><draw:frame svg:x="1cm" svg:y="1cm" svg:width="8cm" svg:height="6cm"><draw:object>
<office:document office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.chart"><office:body><office:chart>
<chart:chart chart:class="chart:line" svg:width="8cm" svg:height="6cm"><chart:plot-area table:cell-range-address="Linie.A1:Linie.C4" chart:data-source-has-labels="both"><chart:axis chart:dimension="x" chart:name="primary-x"/><chart:axis chart:dimension="y" chart:name="primary-y"/><chart:series chart:values-cell-range-address="Linie.B2:Linie.B4" chart:label-cell-address="Linie.B1" chart:class="chart:line"/><chart:series chart:values-cell-range-address="Linie.C2:Linie.C4" chart:label-cell-address="Linie.C1" chart:class="chart:line"/></chart:plot-area>
</chart:chart></office:chart></office:body></office:document>
</draw:object></draw:frame></table:table-cell>')
<table:table-row><table:table-cell table:formula="of:=SUM([.B2:.B4])"/></table:table-row>
</table:table>
</office:spreadsheet></office:body></office:document>
FODS
(cd "$work" && soffice --headless --convert-to xls lo-wykres-linie.fods >/dev/null 2>&1)
cp "$work/lo-wykres-linie.xls" "$out/"
ssconvert -T Gnumeric_Excel:excel_biff8 "$out/lo-wykres-linie.xls" "$out/gn-wykres-linie.xls" 2>/dev/null

printf 'x\n"=REPT(""é"",4112)"\n' > "$work/gn-rept.csv"
ssconvert -T Gnumeric_Excel:excel_biff8 "$work/gn-rept.csv" "$out/gn-rept-biff8.xls" 2>/dev/null

# One text of 1,500 characters, each its own run ("a" bold, "b" not).
bold_fods Runy > "$work/gn-runy.fods" <<ROWS
<table:table-row>
 <table:table-cell office:value-type="string"><text:p>$(for ((i = 0; i < 750; ++i)); do printf '<text:span text:style-name="T1">a</text:span>b'; done)</text:p></table:table-cell>
 <table:table-cell office:value-type="float" office:value="1"/>
</table:table-row>
<table:table-row><table:table-cell office:value-type="float" office:value="2"/></table:table-row>
ROWS
(cd "$work" && soffice --headless --convert-to xls gn-runy.fods >/dev/null 2>&1)
ssconvert -T Gnumeric_Excel:excel_biff7 "$work/gn-runy.xls" "$out/gn-runy-biff5.xls" 2>/dev/null

/usr/bin/python3 - "$out/xlwt-liczby.xls" <<'PY'
import sys, xlwt
book = xlwt.Workbook()
sheet = book.add_sheet("Liczby")
for col in range(12):
    sheet.write(0, col, "kolumna %d" % (col + 1))
    sheet.write(1, col, 1073741824 + col)
book.save(sys.argv[1])
PY
ls -l "$out"/lo-tablice* "$out"/gn-* "$out"/xlwt-*
