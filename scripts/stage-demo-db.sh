#!/usr/bin/env bash
# Makes the Firebird databases of the Tidesetup demo with the embedded engine
# (isql-fb; no server runs):
#   DEMO_DIR/CopyFiles/CATCHREC.FDB      catch-record database, new structure
#   DEMO_DIR/CopyFiles/TIDEJOURNAL.FDB   memo database, empty
#   DEMO_DIR/wineprefix/drive_c/Catchfile/  an installation of the older
#       program to upgrade (C:\Catchfile): a CATCHREC.FDB whose FISH_DATA
#       lacks the twelve TIME columns and has no SYUBETU table, with a few
#       catches, and no memo database.
# The older installation is made afresh on every run, so that the upgrade can
# be tried again; nothing outside DEMO_DIR is touched.
# Usage: scripts/stage-demo-db.sh DEMO_DIR
set -euo pipefail

DEMO_DIR="${1:?usage: stage-demo-db.sh DEMO_DIR}"
mkdir -p "$DEMO_DIR"
DEMO_DIR="$(cd "$DEMO_DIR" && pwd)"
COPY="$DEMO_DIR/CopyFiles"
OLD="$DEMO_DIR/wineprefix/drive_c/Catchfile"
mkdir -p "$COPY" "$OLD"

if ! command -v isql-fb >/dev/null 2>&1; then
  echo "stage-demo-db: isql-fb not found (package firebird3.0-utils); database stand-ins kept" >&2
  exit 0
fi

# The engine keeps its lock files in /tmp/firebird; when another user made
# that folder, use a private one (as Tidesetup itself does).
if [ -z "${FIREBIRD_LOCK:-}" ] && [ -d /tmp/firebird ] && ! [ -w /tmp/firebird ]; then
  export FIREBIRD_LOCK="${TMPDIR:-/tmp}/firebird-$(id -u)"
  mkdir -p "$FIREBIRD_LOCK"
  chmod 700 "$FIREBIRD_LOCK"
fi

work="$(mktemp -d "$DEMO_DIR/.stage-db.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# make_db FILE SQL: creates FILE and runs SQL in it.
make_db() {
  local file="$1" sql="$2" out
  if ! out="$( {
      printf "set names UTF8;\n"
      printf "create database '%s' user 'TDU' password '9274' page_size 8192 default character set UTF8;\n" "$file"
      printf "%s\n" "$sql"
      printf "commit;\n"
    } | isql-fb -q -b 2>&1)"; then
    echo "stage-demo-db: could not make $(basename "$file"):" >&2
    echo "$out" >&2
    exit 1
  fi
}

FISH_DATA_OLD="create table FISH_DATA (
  F_NO      integer not null primary key,
  F_DATE    date,
  F_PLACE   varchar(40),
  F_WEATHER varchar(10),
  F_FISH    varchar(20),
  F_SIZE    numeric(5,1),
  F_COUNT   integer,
  F_BAIT    varchar(20),
  F_MEMO    varchar(200)
);
commit;"

TIME_COLUMNS="alter table FISH_DATA
  add TIME1_L integer, add TIME1_T integer, add TIME1_W integer, add TIME1_H integer,
  add TIME2_L integer, add TIME2_T integer, add TIME2_W integer, add TIME2_H integer,
  add TIME3_L integer, add TIME3_T integer, add TIME3_W integer, add TIME3_H integer;
commit;"

SYUBETU="create table SYUBETU (S00_NO integer, S01_SYUBETU varchar(20));
commit;"

CATCHES="insert into FISH_DATA (F_NO, F_DATE, F_PLACE, F_WEATHER, F_FISH, F_SIZE, F_COUNT, F_BAIT, F_MEMO)
  values (1, '2008-04-12', '北港 東防波堤', '晴れ', 'メバル', 21.5, 4, 'アオイソメ', '夕まずめに連発');
insert into FISH_DATA (F_NO, F_DATE, F_PLACE, F_WEATHER, F_FISH, F_SIZE, F_COUNT, F_BAIT, F_MEMO)
  values (2, '2008-05-03', '南浜 テトラ帯', '曇り', 'カサゴ', 18.0, 2, 'サバ切り身', null);
insert into FISH_DATA (F_NO, F_DATE, F_PLACE, F_WEATHER, F_FISH, F_SIZE, F_COUNT, F_BAIT, F_MEMO)
  values (3, '2008-07-20', '北港 赤灯台', '晴れ', 'アジ', 16.2, 23, 'アミエビ', 'サビキ 6号');
insert into FISH_DATA (F_NO, F_DATE, F_PLACE, F_WEATHER, F_FISH, F_SIZE, F_COUNT, F_BAIT, F_MEMO)
  values (4, '2008-10-05', '西磯', '雨', 'クロダイ', 38.0, 1, 'オキアミ', 'フカセ　ウキ 0号');
insert into FISH_DATA (F_NO, F_DATE, F_PLACE, F_WEATHER, F_FISH, F_SIZE, F_COUNT, F_BAIT, F_MEMO)
  values (5, '2009-01-17', '南浜 砂浜', '晴れ', 'カレイ', 27.4, 2, 'イワイソメ', '投げ 4色');
commit;"

MEMO="create table MEMO_DATA (
  M_NO    integer not null primary key,
  M_DATE  date,
  M_TITLE varchar(60),
  M_TEXT  varchar(2000)
);
commit;"

# CopyFiles: the databases of a new installation.
make_db "$work/CATCHREC.FDB" "$FISH_DATA_OLD
$TIME_COLUMNS
$SYUBETU"
make_db "$work/TIDEJOURNAL.FDB" "$MEMO"
mv -f "$work/CATCHREC.FDB" "$COPY/CATCHREC.FDB"
mv -f "$work/TIDEJOURNAL.FDB" "$COPY/TIDEJOURNAL.FDB"

# The older installation: old structure, some catches, no memo database.
make_db "$work/CATCHREC.FDB" "$FISH_DATA_OLD
$CATCHES"
rm -rf "$OLD"
mkdir -p "$OLD"
mv "$work/CATCHREC.FDB" "$OLD/CATCHREC.FDB"
printf 'STAND-IN FILE for the Tidesetup demo.\nCatchfile.exe, the older fishing-log program.\n' >"$OLD/Catchfile.exe"

echo "stage-demo-db: databases in $COPY; older installation to upgrade in $OLD (C:\\Catchfile)"
