#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every libFuzzer target of a fuzz build for SECONDS each, starting from a scratch copy of
# its seed corpus (so the repository is never written to), with the target's NAME.dict and the
# options in NAME.options beside the corpus folder when there are any. Exits non-zero when any target finds
# a crash, a leak, a timeout or runs out of memory; the reproducer stays in the scratch folder.
set -euo pipefail

if [[ $# -ne 2 ]] || ! [[ $1 =~ ^[0-9]+$ ]]; then
    echo "usage: $0 SECONDS BUILD_DIR" >&2
    exit 2
fi
seconds=$1
build_dir=$(cd "$2" && pwd)
corpus_root=$(cd "$(dirname "$0")/corpus" && pwd)

mapfile -t targets < <(find "$build_dir" -type f -name 'fuzz_*' -perm -u+x | sort)
if [[ ${#targets[@]} -eq 0 ]]; then
    echo "no fuzz targets in $build_dir (configure with -DQUILLARY_FUZZ=ON and build first)" >&2
    exit 2
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quillary-fuzz-XXXXXX")
echo "scratch folder: $scratch"
failed=()
for target in "${targets[@]}"; do
    name=$(basename "$target")
    seeds=$corpus_root/${name#fuzz_}
    work=$scratch/$name
    mkdir -p "$work/corpus" "$work/artifacts"
    if [[ -d $seeds ]]; then
        cp -r "$seeds/." "$work/corpus/"
    fi
    options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$work/artifacts/")
    dictionary=$corpus_root/../${name#fuzz_}.dict
    if [[ -f $dictionary ]]; then
        options+=(-dict="$dictionary")
    fi
    # A target's own limits (the longest input, the memory it may hold), one option a line.
    limits=$corpus_root/../${name#fuzz_}.options
    if [[ -f $limits ]]; then
        mapfile -t extra < <(grep -v '^#' "$limits")
        options+=("${extra[@]}")
    fi
    echo "== $name: ${seconds}s"
    if ! "$target" "${options[@]}" "$work/corpus" >"$work/log.txt" 2>&1; then
        failed+=("$name")
        echo "!! $name failed; see $work/log.txt and $work/artifacts/"
        tail -n 40 "$work/log.txt"
    else
        grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb|#[0-9]+ +DONE)' "$work/log.txt" || true
    fi
done

if [[ ${#failed[@]} -ne 0 ]]; then
    echo "fuzz targets that failed: ${failed[*]}" >&2
    exit 1
fi
echo "all ${#targets[@]} fuzz targets ran ${seconds}s without a finding"
rm -rf "$scratch"
