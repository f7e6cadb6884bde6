#!/usr/bin/env bash
# The bash completion of skyvane-cli against the built program: each line of
# the table is the words typed (the last one being completed) and the answer.
set -u
completion=$1 cli=$2
source "$completion"
failed=0
while IFS='|' read -r words expected; do
  read -r -a COMP_WORDS <<<"$words"
  COMP_WORDS=("$cli" "${COMP_WORDS[@]}")
  [[ $words == *' ' ]] && COMP_WORDS+=("")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _skyvane_cli
  got="${COMPREPLY[*]}"
  if [[ $got != "$expected" ]]; then
    echo "'$words': expected '$expected', got '$got'"
    failed=1
  fi
done <<'TABLE'
se|serve setup
--f|--folder
--test-mode --tr|--trace
--folder /nowhere hi|history
run --|--help --http --influx --mqtt --quiet
history --|--from --help --to
current -|--help --stored
setup unit-p|unit-pressure=
--test-mode alarm time-|time-hour= time-minute=
scope --h|--help
TABLE
exit $failed
