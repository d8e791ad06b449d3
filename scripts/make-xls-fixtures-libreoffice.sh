#!/usr/bin/env bash
# Writes the LibreOffice workbook fixture of tests/spreadsheet/data: a flat
# ODS made here (three sheets, one hidden; integers, fractions, shared texts
# and one long text; formulas of every result kind, a filled column, an
# array formula, a named range, a reference to another sheet), saved by
# headless LibreOffice as BIFF8 ("lo-biff8.xls") and as CSV files with the
# formulas ("lo-biff8-<sheet>.csv"), which the reader tests compare with.
# Then "lo-wykres.xls": a sheet with an embedded chart (a BOF/EOF substream
# after its OBJ), a formula whose 5,000-character text result goes on in
# CONTINUE records, MID with its three arguments, and a second sheet of every
# cell kind, with its CSV files ("lo-wykres-<sheet>.csv").
set -euo pipefail
cd "$(dirname "$0")/.."

out=tests/spreadsheet/data
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cell_f() { echo "<table:table-cell office:value-type=\"float\" office:value=\"$1\"/>"; }
cell_s() { echo "<table:table-cell office:value-type=\"string\"><text:p>$1</text:p></table:table-cell>"; }
cell_b() { echo "<table:table-cell office:value-type=\"boolean\" office:boolean-value=\"$1\"/>"; }
formula() { echo "<table:table-cell table:formula=\"of:=$1\"/>"; }

long=""
for i in $(seq 1 700); do long+="gęślą jaźń $i "; done

{
cat <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
<style:style style:name="ta1" style:family="table"><style:table-properties table:display="true"/></style:style>
<style:style style:name="ta2" style:family="table"><style:table-properties table:display="false"/></style:style>
</office:automatic-styles>
<office:body><office:spreadsheet>
<table:table table:name="Dane" table:style-name="ta1">
XML
echo "<table:table-row>$(cell_s Liczba)$(cell_s Podwójna)$(cell_s Tekst)$(cell_s Logika)$(cell_s Błąd)$(cell_s Napis)$(cell_s Pusty)$(cell_s Suma)$(cell_s Tablica)</table:table-row>"
for r in $(seq 2 31); do
  row="$(cell_f $((r * 3 - 40)))$(formula "[.A$r]*2")$(cell_s "wiersz $((r % 7))")"
  if [ "$r" = 2 ]; then
    row+="$(formula "[.A2]&gt;1")$(formula "1/0")$(formula "CONCATENATE(&quot;a&quot;;&quot;ą&quot;)")"
    row+="$(formula "IF([.A2]&gt;0;&quot;&quot;;&quot;x&quot;)")$(formula "SUM(Zakres)")"
    row+="<table:table-cell table:number-matrix-columns-spanned=\"1\" table:number-matrix-rows-spanned=\"2\" table:formula=\"of:=[.A2:.A3]*10\"/>"
  elif [ "$r" = 3 ]; then
    row+="$(cell_b true)$(cell_f 0.1)$(cell_f 1E16)$(cell_f -2.5)$(cell_s "$long")"
  fi
  echo "<table:table-row>$row</table:table-row>"
done
cat <<'XML'
</table:table>
<table:table table:name="Ukryte" table:style-name="ta2">
XML
echo "<table:table-row>$(cell_s "Zażółć")$(formula "[\$Dane.A2]+1")$(cell_b false)</table:table-row>"
cat <<'XML'
</table:table>
<table:table table:name="Trzeci" table:style-name="ta1">
XML
echo "<table:table-row>$(cell_s "wiersz 1")</table:table-row>"
cat <<'XML'
</table:table>
<table:named-expressions>
<table:named-range table:name="Zakres" table:base-cell-address="$Dane.$A$1" table:cell-range-address="$Dane.$A$2:.$A$31"/>
</table:named-expressions>
</office:spreadsheet></office:body></office:document>
XML
} > "$work/lo-biff8.fods"

# NAME.fods to NAME.xls and NAME-<sheet>.csv (formulas as written) in $out.
convert() {  # name sheet...
  local name=$1 sheet
  shift
  soffice --headless --convert-to xls --outdir "$work" "$work/$name.fods" >/dev/null 2>&1
  soffice --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,true,false,-1' \
    --outdir "$work" "$work/$name.fods" >/dev/null 2>&1
  cp "$work/$name.xls" "$out/"
  for sheet in "$@"; do cp "$work/$name-$sheet.csv" "$out/"; done
  ls -l "$out/$name"*
}
convert lo-biff8 Dane Ukryte Trzeci

cell_chart() {
  cat <<'XML'
<table:table-cell office:value-type="float" office:value="10"><draw:frame svg:x="3cm" svg:y="1cm" svg:width="8cm" svg:height="6cm"><draw:object>
<office:document office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.chart"><office:body><office:chart>
<chart:chart chart:class="chart:bar" svg:width="8cm" svg:height="6cm"><chart:plot-area table:cell-range-address="Wykres.A1:Wykres.B4" chart:data-source-has-labels="both"><chart:axis chart:dimension="x" chart:name="primary-x"/><chart:axis chart:dimension="y" chart:name="primary-y"/><chart:series chart:values-cell-range-address="Wykres.B2:Wykres.B4" chart:label-cell-address="Wykres.B1" chart:class="chart:bar"/></chart:plot-area>
<table:table table:name="local-table"><table:table-header-columns><table:table-column/></table:table-header-columns><table:table-columns><table:table-column/></table:table-columns><table:table-header-rows><table:table-row><table:table-cell/><table:table-cell office:value-type="string"><text:p>Sprzedaż</text:p></table:table-cell></table:table-row></table:table-header-rows><table:table-rows><table:table-row><table:table-cell office:value-type="string"><text:p>1</text:p></table:table-cell><table:table-cell office:value-type="float" office:value="10"/></table:table-row></table:table-rows></table:table>
</chart:chart></office:chart></office:body></office:document>
</draw:object></draw:frame></table:table-cell>
XML
}

{
cat <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0" xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0" xmlns:chart="urn:oasis:names:tc:opendocument:xmlns:chart:1.0" xmlns:xlink="http://www.w3.org/1999/xlink" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet>
<table:table table:name="Wykres">
XML
echo "<table:table-row>$(cell_s Rok)$(cell_s Sprzedaż)$(formula "REPT(&quot;ą&quot;;5000)")</table:table-row>"
echo "<table:table-row>$(cell_f 1)$(cell_chart)</table:table-row>"
echo "<table:table-row>$(cell_f 2)$(cell_f 20)$(formula "LEN([.C1])")</table:table-row>"
echo "<table:table-row>$(cell_f 3)$(cell_f 15)$(formula "SUM([.B2:.B4])")$(formula "MID(&quot;abcdef&quot;;2;3)")</table:table-row>"
echo "</table:table><table:table table:name=\"Dane2\">"
echo "<table:table-row>$(cell_f 42)$(cell_s "drugi arkusz")$(cell_b true)$(formula "1/0")$(cell_f 0.1)</table:table-row>"
cat <<'XML'
</table:table>
</office:spreadsheet></office:body></office:document>
XML
} > "$work/lo-wykres.fods"
convert lo-wykres Wykres Dane2
