#!/usr/bin/env bash
# Writes the workbook fixtures of tests/spreadsheet/data from inputs made
# here: a sheet of long Polish texts and numbers, saved as BIFF8, BIFF5 and
# BIFF2 by the npm package xlsx (installed into a temporary folder), with the
# sheet's distinct texts, one a line in UTF-8, as the expected text.
set -euo pipefail
cd "$(dirname "$0")/.."

out=tests/spreadsheet/data
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

(cd "$work" && npm install --silent --no-audit --no-fund xlsx@0.18.5 >/dev/null)

cat > "$work/make.js" <<'JS'
const XLSX = require(process.argv[2] + "/node_modules/xlsx");
const fs = require("fs");
const out = process.argv[3];
const words = ["Zażółć", "gęślą", "jaźń", "wskaźnik", "płynności", "bieżącej", "rentowność", "kapitału",
               "własnego", "zadłużenie", "ogółem", "rotacja", "należności", "Źródło:", "bilans", "ŻÓŁW"];
function sentence(seed, length) {
  let s = "";
  for (let i = 0; s.length < length; ++i) s += (s ? " " : "") + words[(seed * 7 + i * 3) % words.length];
  return s.slice(0, length);
}
const rows = [["Wskaźnik", "Wartość", "Opis"]];
for (let r = 1; r <= 24; ++r) {
  const length = r % 5 === 0 ? 2000 + 37 * r : 20 + 13 * r;  // xlsx never splits one string
  rows.push([sentence(r, 12 + r % 9), r * 1.25 - 7, sentence(r + 100, length)]);
}
rows.push(["Zażółć", 0.001, "Zażółć"]);  // repeated texts share their entry
const ws = XLSX.utils.aoa_to_sheet(rows);
const wb = XLSX.utils.book_new();
XLSX.utils.book_append_sheet(wb, ws, "Wskaźniki");
XLSX.writeFile(wb, out + "/polskie-biff8.xls", {bookType: "biff8", bookSST: true});
XLSX.writeFile(wb, out + "/polskie-biff5.xls", {bookType: "biff5"});
XLSX.writeFile(wb, out + "/polskie-biff2.xls", {bookType: "biff2"});
const seen = new Set();
const texts = [];
for (const row of rows) for (const v of row) if (typeof v === "string" && !seen.has(v)) { seen.add(v); texts.push(v); }
fs.writeFileSync(out + "/polskie-teksty.txt", texts.join("\n") + "\n");
JS
node "$work/make.js" "$work" "$out"

# Formulas and names saved as BIFF8 by headless LibreOffice (Debian package
# libreoffice-calc-nogui), with its formula export of every sheet as CSV.
cat > "$work/nazwy-formuly.fods" <<'FODS'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2" office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:body><office:spreadsheet>
<table:named-expressions>
 <table:named-range table:name="Obszar" table:base-cell-address="$Arkusz1.$A$1" table:cell-range-address="$Arkusz1.$A$1:.$B$2"/>
 <table:named-range table:name="x" table:base-cell-address="$Arkusz1.$A$1" table:cell-range-address="$'Dane 2'.$A$1"/>
</table:named-expressions>
<table:table table:name="Arkusz1" table:print-ranges="Arkusz1.A1:Arkusz1.C9">
 <table:named-expressions>
  <table:named-range table:name="lokalna" table:base-cell-address="$Arkusz1.$A$1" table:cell-range-address="$Arkusz1.$B$1"/>
 </table:named-expressions>
 <table:table-row><table:table-cell office:value-type="float" office:value="1"/><table:table-cell office:value-type="float" office:value="3"/><table:table-cell table:formula="of:=[.A1]+[.B1]*[.$A$2]"/></table:table-row>
 <table:table-row><table:table-cell office:value-type="float" office:value="2"/><table:table-cell office:value-type="float" office:value="4"/><table:table-cell table:formula="of:=SUM([.A1:.B2];3)"/></table:table-row>
 <table:table-row><table:table-cell/><table:table-cell/><table:table-cell table:formula="of:=IF([.A1]&gt;0;&quot;tak&quot;;&quot;nie &quot;&quot;x&quot;&quot;&quot;)"/></table:table-row>
 <table:table-row><table:table-cell/><table:table-cell/><table:table-cell table:formula="of:=ROUND([.A1]/3;2)"/></table:table-row>
 <table:table-row><table:table-cell/><table:table-cell/><table:table-cell table:formula="of:=[$'Dane 2'.A1]*2+[$'Dane 2'.$B$1:.B3]"/></table:table-row>
 <table:table-row><table:table-cell/><table:table-cell/><table:table-cell table:formula="of:=SUM({1;2|3;4})"/></table:table-row>
 <table:table-row><table:table-cell/><table:table-cell/><table:table-cell table:formula="of:=Obszar*2+lokalna+x"/></table:table-row>
 <table:table-row><table:table-cell/><table:table-cell/><table:table-cell table:formula="of:=-[.A1]%+[.$B1]^2&lt;&gt;1.5"/></table:table-row>
 <table:table-row><table:table-cell/><table:table-cell/><table:table-cell table:formula="of:=IF(AND([.A1]=1;NOT([.B2]));&quot;a&quot;&amp;[.A2];MAX(1;2;[.A1:.A2]))"/></table:table-row>
</table:table>
<table:table table:name="Dane 2">
 <table:table-row><table:table-cell office:value-type="float" office:value="5"/><table:table-cell office:value-type="float" office:value="6"/></table:table-row>
 <table:table-row><table:table-cell table:formula="of:=[.A1]*10"/><table:table-cell table:formula="of:=SUM([$Arkusz1.A1:.B2])"/></table:table-row>
</table:table>
</office:spreadsheet></office:body></office:document>
FODS
(cd "$work" && soffice --headless --convert-to xls nazwy-formuly.fods >/dev/null 2>&1 &&
  soffice --headless --convert-to \
    'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,false,true,false,-1' \
    nazwy-formuly.fods >/dev/null 2>&1)
cp "$work/nazwy-formuly.xls" "$work/nazwy-formuly-Arkusz1.csv" "$work/nazwy-formuly-Dane 2.csv" "$out/"
ls -l "$out"
