#!/bin/sh
# Fuzzes the VCDIFF decoder with libFuzzer and AddressSanitizer.
# Usage: tests/vcdiff/fuzz/run.sh [seconds]   (default 60)
# Builds natively with clang in build-fuzz/ beside this script's tree root,
# seeds the corpus with real deltas (ours and xdelta3's), then runs.
set -eu
seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
out=${VCDIFF_FUZZ_DIR:-$root/build-fuzz/vcdiff}

if ! command -v clang++ >/dev/null 2>&1 || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    apt-get install -y clang libclang-rt-14-dev
fi

mkdir -p "$out/corpus"
sources="$root/src/vcdiff/AddressCache.cpp $root/src/vcdiff/Adler32.cpp $root/src/vcdiff/ByteBuffer.cpp
    $root/src/vcdiff/CodeTable.cpp $root/src/vcdiff/Varint.cpp $root/src/vcdiff/DeltaDecoder.cpp
    $root/src/vcdiff/WindowDecoder.cpp $root/src/vcdiff/VCDiffStreamingDecoder.cpp"
encoder="$root/src/vcdiff/DeltaEncoder.cpp $root/src/vcdiff/InstructionWriter.cpp $root/src/vcdiff/HashIndex.cpp"

clang++ -std=c++17 -O1 -g -fsanitize=fuzzer,address,undefined -I"$root/src" \
    "$here/DecoderFuzzer.cpp" $sources -o "$out/decoder-fuzzer"
clang++ -std=c++17 -O1 -I"$root/src" "$here/SeedDeltas.cpp" $sources $encoder -o "$out/seed-deltas"
"$out/seed-deltas" "$out/corpus"
# Small deltas from xdelta3 too, when it is there.
if command -v xdelta3 >/dev/null 2>&1; then
    head -c 3000 /dev/urandom >"$out/a"
    { head -c 1000 "$out/a"; echo "changed"; tail -c 1500 "$out/a"; head -c 700 "$out/a"; } >"$out/b"
    xdelta3 -e -f -S none -A -n -s "$out/a" "$out/b" "$out/x.vcd"
    { printf '\000'; cat "$out/x.vcd"; } >"$out/corpus/xdelta3"
fi

cd "$out"
exec ./decoder-fuzzer -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -max_len=65536 corpus
