#!/usr/bin/env bash
# Runs the timing program on generated books and, where the command-line
# double-entry tools `ledger` and `hledger` are installed, times their balance
# report and one account's register on the very same books (the journals the
# program writes), printing their time over ours. The timing program itself
# checks, account by account, that the tools' balances are ours (it fails, and
# this script with it, when they are not). Installs nothing unless given
# --install, which installs the build's packages and the two tools with apt-get.
#
# Usage: bash bench/run.sh [--sizes 10000,100000,1000000] [--runs N] [--install]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
sizes=10000,100000,1000000
runs=7
install=no
while [ $# -gt 0 ]; do
    case "$1" in
        --sizes) sizes=$2; shift 2 ;;
        --runs) runs=$2; shift 2 ;;
        --install) install=yes; shift ;;
        *) echo "usage: bash bench/run.sh [--sizes N,N,...] [--runs N] [--install]" >&2; exit 2 ;;
    esac
done

if [ "$install" = yes ]; then
    "$here/scripts/setup.sh"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends ledger hledger
elif [ ! -f "$here/build/build.ninja" ]; then
    echo "No build yet: run scripts/setup.sh first, or give --install." >&2
    exit 2
fi
cmake --build "$here/build" --target book_bench > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
out="$work/ours.txt"
"$here/build/bin/book_bench" --sizes "$sizes" --runs "$runs" --journals "$work" --keep "$work" | tee "$out"

# Median wall time in milliseconds of three runs of a command (after one warm-up).
median_ms() {
    "$@" > /dev/null
    local times=()
    for _ in 1 2 3; do
        local start end
        start=$(date +%s%N)
        "$@" > /dev/null
        end=$(date +%s%N)
        times+=($(( (end - start) / 1000000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 2p
}

# Our median for operation $1 at size $2, from the program's output.
ours_ms() {
    awk -v op="$1" -v size="$2" 'index($0, op) == 1 && $0 ~ (" " size " lines") {
        for (i = 1; i < NF; i++) if ($(i + 1) == "ms") { print $i; exit } }' "$out"
}

compare() {   # tool, what, size, their ms, our operation
    local ours
    ours=$(ours_ms "$5" "$3")
    awk -v tool="$1" -v what="$2" -v size="$3" -v theirs="$4" -v ours="$ours" 'BEGIN {
        printf "%-8s %-34s %9d lines %10.1f ms   %8.1f x ours (%.3f ms)\n", tool, what, size, theirs, theirs / ours, ours }'
}

found=no
for tool in ledger hledger; do
    command -v "$tool" > /dev/null || { echo "($tool is not installed: no comparison with it)"; continue; }
    found=yes
done
[ "$found" = yes ] || exit 0

echo
echo "The same books in the command-line tools (cleared postings only, as the program counts posted, uncancelled vouchers):"
IFS=, read -r -a size_list <<< "$sizes"
mapfile -t busiest_list < <(grep '^# book of' "$out" | sed 's/.*busiest account //')
for i in "${!size_list[@]}"; do
    size=${size_list[$i]}
    busiest=${busiest_list[$i]}
    journal="$work/book-$size.journal"
    if command -v ledger > /dev/null; then
        compare ledger "balance report" "$size" "$(median_ms ledger -f "$journal" --cleared balance)" \
            "trial balance, six columns, whole year"
        compare ledger "register of account $busiest" "$size" \
            "$(median_ms ledger -f "$journal" --cleared register "$busiest\$")" \
            "ledger of the busiest account, whole year"
    fi
    if command -v hledger > /dev/null; then
        compare hledger "balance report" "$size" "$(median_ms hledger -f "$journal" balance --cleared)" \
            "trial balance, six columns, whole year"
        compare hledger "register of account $busiest" "$size" \
            "$(median_ms hledger -f "$journal" register --cleared "$busiest\$")" \
            "ledger of the busiest account, whole year"
    fi
done
