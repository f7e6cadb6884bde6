# Bash completion of skyvane-cli: its options, commands, the options of each
# command and the control names of setup and alarm. The commands, options and
# names are asked of the program itself, so that they follow it.

_skyvane_cli_words() {
  local IFS=$'\n'
  COMPREPLY=($(compgen -W "$1" -- "$2"))
}

_skyvane_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local program=${COMP_WORDS[0]}
  case $prev in
    --folder) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --station-image | --out) COMPREPLY=($(compgen -f -- "$cur")); return ;;
    --sim-speed | --sim-seed | --mqtt | --http | --from | --to | --columns | --separator | --format) return ;;
  esac
  # The command is the first word after the global options and their values.
  local i command=""
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --folder | --station-image | --sim-speed | --sim-seed) ((i++)) ;;
      -*) ;;
      *) command=${COMP_WORDS[i]}; break ;;
    esac
  done
  local help
  if [[ -z $command ]]; then
    help=$("$program" --help 2>/dev/null)
    if [[ $cur == -* ]]; then
      _skyvane_cli_words "$(sed -n '/^Options:/,/^$/p' <<<"$help" | grep -o -- '--[a-z][a-z-]*' | sort -u)" "$cur"
    else
      _skyvane_cli_words "$(sed -n '/^Commands:/,/^$/s/^  \([a-z]\{1,\}\).*/\1/p' <<<"$help")" "$cur"
    fi
    return
  fi
  help=$("$program" "$command" --help 2>/dev/null)
  if [[ ($command == setup || $command == alarm) && $cur != -* ]]; then
    compopt -o nospace 2>/dev/null
    _skyvane_cli_words "$(sed -n '/^Names:/,$s/^  \([a-z0-9-]\{1,\}\).*/\1=/p' <<<"$help")" "$cur"
    return
  fi
  _skyvane_cli_words "$( (echo --help; grep -o -- '--[a-z][a-z-]*' <<<"$help") | sort -u)" "$cur"
}

complete -F _skyvane_cli skyvane-cli
