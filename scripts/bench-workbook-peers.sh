#!/usr/bin/env bash
# Makes the reader benchmark's workbooks (BIFF8 by headless LibreOffice, 25,000,
# 100,000 and 400,000 cells: numbers, shared strings, a formula column) in
# BUILD/bench-workbooks/, then reads the 100,000-cell file with our library
# (bench/XLSReadDriver), with SheetJS (npm package xlsx, installed into a
# temporary folder) and with xlrd: best of 5 in-process times. Peak memory
# is that of one read, each in a process of its own (best of 3 processes):
# on the 100,000-cell file and on a 65,536 x 10 sheet (655,360 cells).
# Goals: 3 x faster than SheetJS, 20 x faster than xlrd,
# less memory than both (and than xlrd on 65,536 x 10), our cost per cell at
# 400,000 within 1.3 x of that at 25,000. Prints the table with the read
# ratio against xlrd and the peak memories; exits non-zero on a missed goal.
# Usage: scripts/bench-workbook-peers.sh [BUILD]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
out="$build/bench-workbooks"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_book() {  # cells
  local cells=$1 rows=$(( $1 / 10 ))
  [ -s "$out/cells-$cells.xls" ] && return
  awk -v rows="$rows" 'BEGIN {
    print "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
    print "<office:document xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\" xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" xmlns:of=\"urn:oasis:names:tc:opendocument:xmlns:of:1.2\" office:version=\"1.2\" office:mimetype=\"application/vnd.oasis.opendocument.spreadsheet\"><office:body><office:spreadsheet><table:table table:name=\"Dane\">"
    for (r = 1; r <= rows; ++r) {
      line = "<table:table-row>"
      for (c = 0; c < 8; ++c) {
        v = (c % 2 == 0) ? (r * 7 + c) : ((r * 13 + c) / 8.0)
        line = line "<table:table-cell office:value-type=\"float\" office:value=\"" v "\"/>"
      }
      line = line "<table:table-cell office:value-type=\"string\"><text:p>tekst " (r * 31) % 1000 "</text:p></table:table-cell>"
      line = line "<table:table-cell table:formula=\"of:=[.A" r "]*2\"/></table:table-row>"
      print line
    }
    print "</table:table></office:spreadsheet></office:body></office:document>"
  }' > "$work/cells-$cells.fods"
  soffice --headless --convert-to xls --outdir "$work" "$work/cells-$cells.fods" >/dev/null 2>&1
  cp "$work/cells-$cells.xls" "$out/"
}

for n in 25000 100000 400000 655360; do make_book $n; done
file="$out/cells-100000.xls"

driver="$build/bench/XLSReadDriver"
[ -x "$driver" ] || { echo "no $driver: build first" >&2; exit 2; }

(cd "$work" && npm install --silent --no-audit --no-fund xlsx@0.18.5 >/dev/null)
cat > "$work/sheetjs.js" <<'JS'
const XLSX = require(process.argv[2] + "/node_modules/xlsx");
let best = 1e9, cells = 0;
for (let run = 0; run < Number(process.argv[4] || 5); ++run) {
  const t0 = process.hrtime.bigint();
  const wb = XLSX.readFile(process.argv[3]);
  cells = 0;
  for (const name of wb.SheetNames) {
    const ws = wb.Sheets[name];
    for (const key in ws) if (key[0] !== "!") { const v = ws[key].v; ++cells; }
  }
  best = Math.min(best, Number(process.hrtime.bigint() - t0) / 1e9);
}
console.log(best.toFixed(4), cells);
JS
cat > "$work/read_xlrd.py" <<'PY'
import sys, time, xlrd
best, cells = 1e9, 0
for run in range(int(sys.argv[2]) if len(sys.argv) > 2 else 5):
    t0 = time.perf_counter()
    b = xlrd.open_workbook(sys.argv[1])
    cells = 0
    for s in b.sheets():
        for r in range(s.nrows):
            for c in s.row(r):
                if c.ctype != 0: cells += 1
    best = min(best, time.perf_counter() - t0)
print("%.4f %d" % (best, cells))
PY

# The time: best of 5 reads in one process. The memory: the peak RSS of a
# process that reads once, the least of 3 such processes.
measure() {  # label runs-argument command...
  local label=$1 once=$2; shift 2
  local result rss best=
  result=$("$@")
  for run in 1 2 3; do
    /usr/bin/time -f "%M" -o "$work/rss" "$@" $once >/dev/null
    rss=$(tail -1 "$work/rss")
    if [ -z "$best" ] || [ "$rss" -lt "$best" ]; then best=$rss; fi
  done
  printf "%-10s %10s s %8s cells %10s KB\n" "$label" ${result} "$best"
  echo "$label ${result} $best" >> "$work/table"
}
: > "$work/table"
measure ours 1 "$driver" "$file"
measure sheetjs 1 node "$work/sheetjs.js" "$work" "$file"
measure xlrd 1 /usr/bin/python3 "$work/read_xlrd.py" "$file"
measure ours-65536 1 "$driver" "$out/cells-655360.xls"
measure xlrd-65536 1 /usr/bin/python3 "$work/read_xlrd.py" "$out/cells-655360.xls"
small=$("$driver" "$out/cells-25000.xls")
large=$("$driver" "$out/cells-400000.xls")
printf "per cell: 25,000 %s  400,000 %s\n" "$small" "$large"

awk -v small="$small" -v large="$large" '
  { t[$1] = $2; m[$1] = $4 }
  END {
    split(small, a, " "); split(large, b, " ")
    ratio = (b[1] / b[2]) / (a[1] / a[2])
    fail = 0
    if (t["ours"] * 3 > t["sheetjs"]) { print "missed: 3 x faster than SheetJS"; fail = 1 }
    if (t["ours"] * 20 > t["xlrd"]) { print "missed: 20 x faster than xlrd"; fail = 1 }
    if (m["ours"] >= m["sheetjs"] || m["ours"] >= m["xlrd"]) { print "missed: less memory than both"; fail = 1 }
    if (m["ours-65536"] >= m["xlrd-65536"]) { print "missed: less memory than xlrd on 65,536 x 10"; fail = 1 }
    if (ratio > 1.3) { print "missed: cost per cell at 400,000 within 1.3 x of 25,000 (" ratio ")"; fail = 1 }
    printf "read ratio against xlrd: %.1f (goal 20); against SheetJS: %.1f (goal 3); per-cell ratio %.2f\n", t["xlrd"] / t["ours"], t["sheetjs"] / t["ours"], ratio
    printf "peak memory, 100,000 cells: ours %d KB, xlrd %d KB, SheetJS %d KB\n", m["ours"], m["xlrd"], m["sheetjs"]
    printf "peak memory, 65,536 x 10: ours %d KB, xlrd %d KB\n", m["ours-65536"], m["xlrd-65536"]
    exit fail
  }' "$work/table"
