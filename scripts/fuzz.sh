#!/usr/bin/env bash
# Builds the libFuzzer executables (the `fuzz` preset, clang) and runs each fuzz target for a
# set time, one after another:
#   scripts/fuzz.sh [SECONDS=600] [TARGET...]
# Targets: log_file_open sent_number worked_before numeric_value export_line_reader
# recovery_file (all when none is named).
# New inputs go to build-fuzz/corpus/TARGET; the committed corpus in fuzz/corpus/TARGET is read,
# never written. An input that crashes, hangs, leaks or breaks a check is written to
# build-fuzz/findings/TARGET/ and stops that target; copy it into fuzz/corpus/TARGET once fixed.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] ||
    targets=(log_file_open sent_number worked_before numeric_value export_line_reader recovery_file)

scripts/install-deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

status=0
for target in "${targets[@]}"; do
    work="build-fuzz/corpus/$target"
    findings="build-fuzz/findings/$target"
    mkdir -p "$work" "$findings"
    echo "== $target for $seconds s"
    # A run over 10 s on one input is a hang: no input of a few kilobytes may take that long.
    if ! "build-fuzz/fuzz/fuzz_$target" "$work" "fuzz/corpus/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=8192 \
        -dict=fuzz/log_text.dict -print_final_stats=1 -artifact_prefix="$findings/" \
        2>"build-fuzz/fuzz_$target.log"; then
        status=1
        echo "$target: FINDING, see build-fuzz/fuzz_$target.log and $findings/"
    fi
    grep -E '^(Done|stat::number_of_executed_units)' "build-fuzz/fuzz_$target.log" || true
done
exit $status
