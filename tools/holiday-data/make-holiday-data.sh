#!/usr/bin/env bash
# Writes the test data of the holidays by the law: every holiday and day off of Japan from 1970
# to 2050 with its name, as the npm package @holiday-jp/holiday_jp lists them, as C++
# initialisers with the package's licence at the top. The tests read only the file it writes;
# this script alone needs npm and node.
#   usage: tools/holiday-data/make-holiday-data.sh [OUTPUT]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/../.."
output=${1:-tests/native/data/HolidayJp.inc}
package=@holiday-jp/holiday_jp
version=2.5.1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$package@$version" >/dev/null && tar xzf ./*.tgz)

PACKAGE_DIR=$work/package PACKAGE="$package" VERSION=$version node - >"$output" <<'SCRIPT'
const fs = require("fs");
const path = require("path");
const dir = process.env.PACKAGE_DIR;
const holidays = require(path.join(dir, "lib", "holidays.js"));
const licence = fs.readFileSync(path.join(dir, "LICENSE"), "utf8").trimEnd();
const lines = [
  `// The holidays and days off of Japan from 1970 to 2050 with their names, as the npm package`,
  `// ${process.env.PACKAGE} ${process.env.VERSION} lists them (lib/holidays.js), as {yyyymmdd, name}.`,
  `// Written by tools/holiday-data/make-holiday-data.sh; do not edit. The package's licence:`,
  `//`,
  ...licence.split("\n").map((line) => (line ? `// ${line}` : `//`)),
];
for (const date of Object.keys(holidays).sort()) {
  const name = holidays[date].name;
  if (!/^\d{4}-\d{2}-\d{2}$/.test(date) || /["\\]/.test(name)) throw new Error(`unexpected entry ${date}`);
  lines.push(`{${date.replace(/-/g, "")}, "${name}"},`);
}
process.stdout.write(lines.join("\n") + "\n");
SCRIPT
echo "wrote $output"
