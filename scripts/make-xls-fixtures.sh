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
ls -l "$out"
