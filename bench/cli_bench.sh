#!/usr/bin/env bash
# Whole-process timings of belvanto-cli at growing sizes: dtaus write/read/verify, import-dtaus,
# table copy of the imported bookings, create --mark-done over them, mass delete, and --help.
# Usage: bench/cli_bench.sh CLI-BINARY SIZE... (e.g. bench/cli_bench.sh build/bin/belvanto-cli 10000 100000)
# Prints one line per step: size, step, seconds, peak resident MB. Run it under the build lock.
set -euo pipefail
cli="$(realpath "$1")"
shift
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/share"

# One step, timed with its peak memory; its output is thrown away.
step() {
    local size=$1 name=$2
    shift 2
    /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
    read -r seconds kilobytes <"$work/time"
    printf '%8s  %-22s %7.2f s %7.0f MB\n' "$size" "$name" "$seconds" "$((kilobytes / 1024))"
}

# A debit file with one originator; every payer name is distinct, so the import adds one payer
# per transaction.
write_json() {
    python3 - "$1" >"$2" <<'EOF'
import json, sys
n = int(sys.argv[1])
bookings = [{"name": "Mitglied %d" % i, "kontonummer": 1000000 + i, "blz": 10020030 + i % 1000,
             "betrag": 12.5 + i % 100, "verwendungszwecke": ["Mitgliedsbeitrag 2026", "Nr. %d" % i, "Danke"]}
            for i in range(n)]
json.dump({"lastschriften": True, "auftraggeberName": "Sportverein Gruen-Weiss e.V.",
           "auftraggeberBLZ": 37050198, "auftraggeberKontoNr": 1234567890, "buchungen": bookings}, sys.stdout)
EOF
}

step - "--help" "$cli" --help
for size in "$@"; do
    data="$work/data-$size"
    export XDG_CONFIG_HOME="$work/config-$size" # fresh ID counters: the import's client gets ID 1
    write_json "$size" "$work/in-$size.json"
    step "$size" "dtaus write" "$cli" dtaus write "$work/in-$size.json" "$work/dtaus-$size.txt"
    step "$size" "dtaus read" "$cli" dtaus read "$work/dtaus-$size.txt"
    step "$size" "dtaus verify" "$cli" dtaus verify "$work/dtaus-$size.txt"
    step "$size" "import-dtaus" "$cli" import-dtaus "$work/dtaus-$size.txt" --data-dir "$data"
    step "$size" "table copy" "$cli" table copy "$data/db1.xml" "$work/copy-$size.xml"
    step "$size" "create --mark-done" "$cli" create --lastschriften --client 1 --due-from 2000-01-01 \
        --due-to 2099-12-31 --target "$work/out-$size.txt" --overwrite --mark-done --data-dir "$data"
    step "$size" "delete-bookings" "$cli" delete-bookings --from 1 --to "$size" --data-dir "$data"
    rm -rf "$data" "$XDG_CONFIG_HOME" "$work"/*-"$size".*
done
