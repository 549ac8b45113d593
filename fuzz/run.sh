#!/usr/bin/env bash
# Runs every fuzz target for a bounded time: run.sh <build folder> [seconds per target].
# Each target starts from its seeds and the corpus grown by earlier runs; a crash, a leak,
# a broken property or an input slower than 10 s fails the run and leaves its reproducer in
# <build folder>/fuzz/artifacts/.
set -euo pipefail
build=${1:?usage: run.sh <build folder> [seconds]}
seconds=${2:-60}
here=$build/fuzz
mkdir -p "$here/artifacts"
failed=0
for target in fuzz_scrambletext fuzz_configfile fuzz_previewwriter fuzz_opencatalogue fuzz_accessimport; do
    # An Access file is made of 4 KiB pages: the smallest catalogue takes some twenty.
    max_len=65536
    [ "$target" = fuzz_accessimport ] && max_len=262144
    corpus=$here/corpus/$target
    mkdir -p "$corpus"
    echo "== $target: ${seconds}s"
    if ! QT_QPA_PLATFORM=offscreen "$here/$target" "$corpus" "$here/seeds/$target" \
            -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len="$max_len" \
            -artifact_prefix="$here/artifacts/$target-" -print_final_stats=1 \
            >"$here/$target.log" 2>&1; then
        echo "!! $target failed; see $here/$target.log"
        tail -n 30 "$here/$target.log"
        failed=1
    else
        grep -E "^(Done|stat::number_of_executed_units|stat::new_units_added)" "$here/$target.log" || true
    fi
done
exit $failed
