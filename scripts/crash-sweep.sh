#!/usr/bin/env bash
# Ends varnel-offline right after each rename of the demo board's runs
# (--crash-after N: the design saved as PowerLogic holds it, no end record,
# no ECO file), then closes each cut-off run with each of the three choices
# and checks what is left: no designator borne twice, the schematic and the
# layout (the original names with the ECO file applied) agreeing, Finish
# giving exactly the uninterrupted run's designators and ECO file, Take it
# back exactly the designators before. It also ends each run, and each
# Finish, once its ECO file is written and before the journal says it was
# delivered (--crash-in-delivery), and closes that run by writing the file
# again (it must be the whole run's) or by leaving it.
# Usage: scripts/crash-sweep.sh [VARNEL_OFFLINE] [STEP]   (every STEPth rename)
#        scripts/crash-sweep.sh --wine   Varnel.exe ended at every host call of
#        both runs under Wine, from outside (build/windows must be built)
set -euo pipefail
cd "$(dirname "$0")/.."
if [[ "${1:-}" == --wine ]]; then
  WINE_BUILD_DIR="$(pwd)/build/windows"
  source scripts/wine-env.sh
  start_wine null
  trap stop_wine EXIT
  cd build/windows
  VARNEL_CRASH_SWEEP=every wine tests/wine_ui_tests.exe --gtest_filter='CrashSweep.*' \
    --gtest_brief=1
  exit
fi
offline="$(realpath "${1:-build/native/varnel-offline}")"
step="${2:-1}"
board="$(realpath scripts/demo/board.design)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

runs=0 states=0 differences=0
differ() { echo "DIFFERENCE: $*"; differences=$((differences + 1)); }

# The designators of a design file, one a line, in list order.
names() { awk '!/^#/ && NF >= 3 && $1 != "design" && $1 != "scopes" { print $1 }' "$1"; }
# The names of a design file with an ECO file's renames applied, in order.
followed() {
  awk 'FNR == NR { if (!/^#/ && NF >= 3 && $1 != "design" && $1 != "scopes") name[++n] = $1; next }
       { sub(/\r$/, "") }
       /^\*/ || NF != 2 { next }
       { for (i = 1; i <= n; ++i) if (name[i] == $1) { name[i] = $2; break } }
       END { for (i = 1; i <= n; ++i) print name[i] }' "$1" "$2"
}
unique() { [ -z "$(names "$1" | sort | uniq -d)" ]; }

# A run ended in its delivery ($1 the label, $2 the design left, $3 the
# journal), closed by writing the ECO file and by leaving the layout.
closeDelivery() {
  local label="$1" left="$2" cut="$3"
  states=$((states + 1))
  ! grep -qx delivered "$cut" || differ "$label: the journal says delivered"
  grep -qE '^(completed|failed)' "$cut" || differ "$label: no end record"
  for choice in write leave; do
    cp "$cut" "delivery-$choice.journal"
    rm -f "delivery-$choice.eco"
    "$offline" "$left" --recover "delivery-$choice.journal" --"$choice" --eco "delivery-$choice.eco" \
      --out "delivery-$choice.design" >/dev/null 2>"$choice.err" ||
      { differ "$label $choice: $(cat "$choice.err")"; continue; }
    tail -1 "delivery-$choice.journal" | grep -qx "recovered $choice" ||
      differ "$label $choice: the journal was not closed"
    cmp -s <(names "delivery-$choice.design") <(names whole.design) ||
      differ "$label $choice: the designators changed"
    if [ "$choice" = write ]; then
      cmp -s "delivery-$choice.eco" whole.eco || differ "$label write: not the run's ECO file"
    else
      [ ! -e "delivery-$choice.eco" ] || differ "$label leave: an ECO file was written"
    fi
  done
}

sweep() {
  local label="$1"; shift
  "$offline" "$board" "$@" --out whole.design --eco whole.eco --journal whole.journal >/dev/null
  local total
  total=$(grep -c '^plan ' whole.journal)
  local status=0
  "$offline" "$board" "$@" --out delivery.design --eco delivery.eco --journal delivery.journal \
    --crash-in-delivery >/dev/null 2>&1 || status=$?
  runs=$((runs + 1))
  [ "$status" = 3 ] || differ "$label delivery: the run ended with $status"
  closeDelivery "$label delivery" delivery.design delivery.journal
  for ((n = 1; n <= total; n += step)); do
    rm -f cut.eco
    local status=0
    "$offline" "$board" "$@" --out cut.design --eco cut.eco --journal cut.journal \
      --crash-after "$n" >/dev/null 2>&1 || status=$?
    runs=$((runs + 1))
    [ "$status" = 3 ] || differ "$label $n: the run ended with $status"
    [ ! -e cut.eco ] || differ "$label $n: an ECO file was written"
    ! grep -qE '^(completed|failed)' cut.journal || differ "$label $n: an end record was written"
    for choice in finish take-back leave; do
      cp cut.journal "$choice.journal"
      rm -f "$choice.eco"
      "$offline" cut.design --recover "$choice.journal" --"$choice" --eco "$choice.eco" \
        --out "$choice.design" >/dev/null 2>"$choice.err" ||
        { differ "$label $n $choice: $(cat "$choice.err")"; continue; }
      states=$((states + 1))
      tail -1 "$choice.journal" | grep -qx "recovered $choice" ||
        differ "$label $n $choice: the journal was not marked"
      unique "$choice.design" || differ "$label $n $choice: a designator is borne twice"
      case "$choice" in
        finish)
          cmp -s <(names "$choice.design") <(names whole.design) ||
            differ "$label $n finish: not the uninterrupted run's designators"
          cmp -s "$choice.eco" whole.eco || differ "$label $n finish: not the run's ECO file"
          cp cut.journal finish-cut.journal
          status=0
          "$offline" cut.design --recover finish-cut.journal --finish --eco finish-cut.eco \
            --out finish-cut.design --crash-in-delivery >/dev/null 2>&1 || status=$?
          runs=$((runs + 1))
          [ "$status" = 3 ] || differ "$label $n finish ended in delivery: $status"
          closeDelivery "$label $n finish ended in delivery" finish-cut.design finish-cut.journal ;;
        take-back)
          cmp -s <(names "$choice.design") <(names "$board") ||
            differ "$label $n take-back: not the designators before" ;;
        leave)
          cmp -s <(names "$choice.design") <(followed "$board" "$choice.eco") ||
            differ "$label $n leave: the layout would not follow" ;;
      esac
    done
  done
}

sweep all --all
sweep selected --selected --duplicates --start 10
echo "crash sweep: $runs runs ended, $states states checked, $differences differences"
[ "$differences" = 0 ]
