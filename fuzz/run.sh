#!/usr/bin/env bash
# Builds each picture-loader fuzz target with clang (libFuzzer + AddressSanitizer)
# and runs it for a bounded time. Usage: fuzz/run.sh [seconds per target]
# Crashing inputs are written to build-fuzz/<target>/ and fail the run.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH="${1:-${FUZZ_SECONDS:-60}}"
OUT="${FUZZ_BUILD:-build-fuzz}"

need=(clang libclang-rt-14-dev libjpeg-turbo-progs qt6-base-dev libjpeg62-turbo-dev)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Run as root: apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

mkdir -p "$OUT"
CXX="${CXX_FUZZ:-clang++}"
FLAGS=(-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I.)
read -r -a QT <<<"$(pkg-config --cflags --libs Qt6Gui Qt6Core)"
SOURCES=(platform/JpegDecoder.cpp platform/PictureFile.cpp)

# Seeds: small pictures made with libjpeg's own tools.
SEEDS="$OUT/seeds"
mkdir -p "$SEEDS/jpeg" "$SEEDS/bmp"
ppm="$SEEDS/in.ppm"
{ printf 'P6\n24 17\n255\n'; for i in $(seq 0 407); do printf "\\$(printf %03o $((i*7%256)))\\$(printf %03o $((i*13%256)))\\$(printf %03o $((i*29%256)))"; done; } >"$ppm"
cjpeg -quality 80 "$ppm" >"$SEEDS/jpeg/baseline.jpg"
cjpeg -progressive "$ppm" >"$SEEDS/jpeg/progressive.jpg"
cjpeg -grayscale "$ppm" >"$SEEDS/jpeg/gray.jpg"
cjpeg -restart 1 -sample 1x1 "$ppm" >"$SEEDS/jpeg/restart.jpg"
cjpeg -arithmetic "$ppm" >"$SEEDS/jpeg/arithmetic.jpg"
djpeg -bmp "$SEEDS/jpeg/baseline.jpg" >"$SEEDS/bmp/rgb24.bmp"
djpeg -bmp -colors 16 "$SEEDS/jpeg/baseline.jpg" >"$SEEDS/bmp/pal8.bmp"
djpeg -bmp -grayscale "$SEEDS/jpeg/baseline.jpg" >"$SEEDS/bmp/gray8.bmp"
djpeg -os2 "$SEEDS/jpeg/baseline.jpg" >"$SEEDS/bmp/os2.bmp"

status=0
for target in jpeg bmp; do
  bin="$OUT/${target}_fuzz"
  echo "== building $bin"
  "$CXX" "${FLAGS[@]}" "fuzz/${target}_fuzz.cpp" "${SOURCES[@]}" "${QT[@]}" -ljpeg -o "$bin"
  corpus="$OUT/$target/corpus"
  mkdir -p "$corpus" "$OUT/$target/crashes"
  echo "== running $bin for ${SECONDS_EACH}s"
  if ! "$bin" -max_total_time="$SECONDS_EACH" -rss_limit_mb=2048 -timeout=10 -max_len=65536 \
      -artifact_prefix="$OUT/$target/crashes/" -print_final_stats=1 "$corpus" "$SEEDS/$target" \
      >"$OUT/$target/log.txt" 2>&1; then
    echo "!! $target fuzzer found a fault; see $OUT/$target/log.txt and $OUT/$target/crashes/" >&2
    tail -40 "$OUT/$target/log.txt" >&2
    status=1
  else
    grep -E "stat::number_of_executed_units|stat::peak_rss_mb|cov:" "$OUT/$target/log.txt" | tail -3
  fi
done
exit $status
