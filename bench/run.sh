#!/bin/bash
# Measures what one run of ruvok costs against a baseline that only makes
# the menu collapse's three 20 ms holds and writes one line: wall time,
# CPU time, peak RSS and instructions, each also as a ratio to the
# baseline.  GNU units, when installed, is shown beside them as a peer.
#
# usage: bench/run.sh [RUNS]    (at least 10; 20 by default)
# needs: cmake, g++, time (for /usr/bin/time), valgrind for instructions
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-20}
if ((runs < 10)); then
	echo "run.sh: at least 10 runs, not $runs" >&2
	exit 2
fi
if [[ ! -x /usr/bin/time ]]; then
	echo "run.sh: /usr/bin/time is missing (Debian package time)" >&2
	exit 1
fi

build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
	-DRUVOK_BENCH=ON >/dev/null
cmake --build "$build" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '1\n3\n' >"$work/input"
: >"$work/empty"

# min, median and max of one column of numbers
stats() {
	sort -n | awk '{ v[NR] = $1 }
		END { printf "%d %d %d\n", v[1], v[int((NR + 1) / 2)], v[NR] }'
}

# Fills the figures of one program: NAME INPUT COMMAND...
declare -A wall_med wall_min wall_max cpu rss instr
measure() {
	local name=$1 input=$2
	shift 2
	"$build/bench/measure" "$runs" "$input" "$@" >"$work/$name.runs"
	read -r wall_min[$name] wall_med[$name] wall_max[$name] \
		< <(cut -d' ' -f1 "$work/$name.runs" | stats)
	read -r _ cpu[$name] _ < <(cut -d' ' -f2 "$work/$name.runs" | stats)

	local i
	for ((i = 0; i < runs; i++)); do
		/usr/bin/time -v "$@" <"$input" 2>&1 >/dev/null |
			awk -F': ' '/Maximum resident set size/ { print $2 }'
	done >"$work/$name.rss"
	read -r _ rss[$name] _ < <(stats <"$work/$name.rss")

	instr[$name]=-
	if command -v valgrind >/dev/null; then
		instr[$name]=$(valgrind --tool=callgrind \
			--callgrind-out-file=/dev/null "$@" <"$input" 2>&1 \
			>/dev/null | awk '/Collected :/ { print $NF }')
	fi
}

measure baseline "$work/empty" "$build/bench/baseline"
measure ruvok "$work/input" "$build/ruvok"
programs=(baseline ruvok)
if command -v units >/dev/null; then
	measure units "$work/empty" units -t '3 in' mm
	programs+=(units)
fi

ratio() {
	if [[ $1 == - || $2 == - ]]; then
		echo -
	else
		awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'
	fi
}

echo "$runs runs each; times in microseconds, RSS in KiB"
printf '%-10s %10s %10s %10s %10s %8s %12s\n' program "wall med" \
	"wall min" "wall max" "user+sys" "RSS" instructions
for p in "${programs[@]}"; do
	printf '%-10s %10s %10s %10s %10s %8s %12s\n' "$p" "${wall_med[$p]}" \
		"${wall_min[$p]}" "${wall_max[$p]}" "${cpu[$p]}" "${rss[$p]}" \
		"${instr[$p]}"
done
for p in "${programs[@]:1}"; do
	printf '%-10s %10s %10s %10s %10s %8s %12s\n' "$p/base" \
		"$(ratio "${wall_med[$p]}" "${wall_med[baseline]}")" \
		"$(ratio "${wall_min[$p]}" "${wall_min[baseline]}")" \
		"$(ratio "${wall_max[$p]}" "${wall_max[baseline]}")" \
		"$(ratio "${cpu[$p]}" "${cpu[baseline]}")" \
		"$(ratio "${rss[$p]}" "${rss[baseline]}")" \
		"$(ratio "${instr[$p]}" "${instr[baseline]}")"
done
