#!/usr/bin/env bash
# Runs one libFuzzer target of a sanitizer build for a bounded time and writes its summary line.
#   lancer_cible.sh BUILD_DIR TARGET SECONDS JOBS
# The working corpus starts from the target's seeds and lives under the build folder, so new
# inputs stay out of the sources. Crash, leak and timeout inputs go to
# BUILD_DIR/fuzz-artifacts/TARGET/, the log to BUILD_DIR/fuzz-logs/TARGET.log, the summary
# line to BUILD_DIR/fuzz-logs/TARGET.summary. Exits non-zero when the target failed or found
# anything.
set -u
dir=$1 t=$2 secondes=$3 jobs=$4

corpus=$dir/fuzz-corpus/$t
artefacts=$dir/fuzz-artifacts/$t/
log=$dir/fuzz-logs/$t.log
debut=$dir/fuzz-logs/$t.start
mkdir -p "$corpus" "$artefacts" "$dir/fuzz-logs"
# Whatever a target might store goes to a folder of its own, never the user's settings.
export HOME=$dir/fuzz-home/$t XDG_CONFIG_HOME=$dir/fuzz-home/$t/config XDG_DATA_HOME=$dir/fuzz-home/$t/data \
    XDG_CACHE_HOME=$dir/fuzz-home/$t/cache
mkdir -p "$HOME"
cp "$dir/fuzz-seeds/$t/"* "$corpus/"
touch "$debut"

fork=()
[ "$jobs" -gt 1 ] && fork=(-fork="$jobs")
echo "== $t: $secondes s"
(cd "$artefacts" && "$dir/$t" -max_total_time="$secondes" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "${fork[@]}" -artifact_prefix="$artefacts" "$corpus") >"$log" 2>&1
rc=$?

# In-process runs print final stats; -fork runs only their progress lines.
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
[ -n "$runs" ] || runs=$(sed -n 's/^#\([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
[ -n "$speed" ] || speed=$(sed -n 's/^#[0-9].* exec\/s:* \([0-9][0-9]*\).*/\1/p' "$log" | tail -n 1)
found=$(find "$artefacts" -maxdepth 1 -newer "$debut" -name '*-*' | wc -l)
printf '%-20s %12s executions %8s exec/s  exit %s  new artifacts %s\n' "$t" "${runs:-?}" "${speed:-?}" \
    "$rc" "$found" >"$dir/fuzz-logs/$t.summary"

if [ "$rc" -ne 0 ] || [ "$found" -ne 0 ]; then
    tail -n 40 "$log"
    exit 1
fi
