#!/usr/bin/env bash
# Stages a demo of Tidesetup in one folder, so that trying it touches nothing
# outside that folder:
#   DEMO_DIR/CopyFiles/   the files a new installation copies: the built
#                         Tacklepad as Tacklepad.exe, and small labelled
#                         stand-ins for the parts that come from elsewhere
#                         (Tidebook.exe, GDS32.dll, firebird.msg, databases)
#   DEMO_DIR/wineprefix/  the Wine prefix the demo runs with; its drive_c is
#                         the "C:" drive, where C:\Tidebook gets installed
# Usage: scripts/stage-demo.sh [BUILD_DIR] [DEMO_DIR]
#   BUILD_DIR defaults to build, DEMO_DIR to BUILD_DIR/demo.
# Templates for the databases are added by scripts/stage-demo-db.sh when it
# exists (it replaces the database stand-ins with real Firebird files).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD_DIR="${1:-build}"
DEMO_DIR="${2:-$BUILD_DIR/demo}"
mkdir -p "$DEMO_DIR"
DEMO_DIR="$(cd "$DEMO_DIR" && pwd)"
COPY="$DEMO_DIR/CopyFiles"

mkdir -p "$COPY" "$DEMO_DIR/wineprefix/drive_c"

stand_in() {  # stand_in FILE WHAT
  printf 'STAND-IN FILE for the Tidesetup demo.\n%s\nThe real file is delivered with Tidebook; this one only shows where it goes.\n' "$2" >"$COPY/$1"
}

if [ -f "$BUILD_DIR/editor/Tacklepad" ]; then
  cp "$BUILD_DIR/editor/Tacklepad" "$COPY/Tacklepad.exe"
else
  stand_in Tacklepad.exe "Tacklepad, the rig-diagram and point-map editor (not built yet: run 'make build')."
  echo "stage-demo: $BUILD_DIR/editor/Tacklepad not found; staged a placeholder Tacklepad.exe" >&2
fi
stand_in Tidebook.exe "Tidebook.exe, the fishing-log program."
stand_in GDS32.dll "GDS32.dll, the Firebird database client library."
stand_in firebird.msg "firebird.msg, the message file of the Firebird client."
stand_in CATCHREC.FDB "CATCHREC.FDB, the catch-record database (a Firebird database file)."
stand_in TIDEJOURNAL.FDB "TIDEJOURNAL.FDB, the memo database (a Firebird database file)."

if [ -x "$here/stage-demo-db.sh" ]; then
  "$here/stage-demo-db.sh" "$DEMO_DIR"
elif [ -f "$here/stage-demo-db.sh" ]; then
  bash "$here/stage-demo-db.sh" "$DEMO_DIR"
fi

echo "stage-demo: staged $DEMO_DIR (WINEPREFIX=$DEMO_DIR/wineprefix)"
