#!/usr/bin/env bash
# Unpacks the zip into a fresh folder, then runs the package tests under Wine (installer,
# installed program, uninstaller, unpacked program).
# Usage: RunPackageTests.sh PACKAGE_DIR UNPACKED_DIR VERSION TEST_EXE
set -euo pipefail
packages=$1 unpacked=$2 version=$3 tests=$4
rm -rf "$unpacked"
mkdir -p "$unpacked"
/usr/bin/python3 -m zipfile -e "$packages/Mojiview-$version.zip" "$unpacked"
exec "$(dirname "$0")/../../cmake/wine-run.sh" "$tests"
