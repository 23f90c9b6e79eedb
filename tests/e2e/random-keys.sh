# Sourced by e2e.sh: the seeded random editing sequences. Every key goes to the window through X,
# keys only, so nothing depends on where a click lands in the text. Home and End act on the line on
# screen, so lines are kept short enough never to wrap; Up and Down are left out for the same
# reason. Only digits go into the laps box, so no message box opens.

# The key names of text typed into the window.
key_names_of() {
  local text=$1 i c
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    case $c in
      ' ') echo space ;;
      .) echo period ;;
      _) echo underscore ;;
      ,) echo comma ;;
      *) echo "$c" ;;
    esac
  done
}

# One sequence for the seed, as xdotool key names, one action a line. Starts and ends in the
# script area.
random_sequence() {
  RANDOM=$1
  local length=${RANDOM_KEY_LENGTH:-25}
  local words=(a bc d_e "f g" x.y Zq 9 "h, i")
  local editing=(BackSpace Delete Home End ctrl+Home ctrl+End Left Right shift+Left shift+Right
    shift+Home shift+End ctrl+Left ctrl+Right ctrl+shift+Left ctrl+shift+Right ctrl+BackSpace
    ctrl+Delete ctrl+a ctrl+z ctrl+y ctrl+shift+z alt+BackSpace ctrl+k ctrl+u)
  local action words_on_line=0 roll laps word
  for ((action = 0; action < length; action++)); do
    roll=$((RANDOM % 100))
    if [ $roll -lt 35 ]; then
      if [ $words_on_line -ge 4 ]; then
        echo Return
        words_on_line=0
      fi
      # Drawn here: the left of a pipe is a subshell, where bash seeds RANDOM afresh.
      word=${words[RANDOM % ${#words[@]}]}
      key_names_of "$word" | paste -sd' '
      words_on_line=$((words_on_line + 1))
    elif [ $roll -lt 45 ]; then
      echo Return
      words_on_line=0
    elif [ $roll -lt 52 ]; then
      # On to the laps box (Tab or Ctrl+Tab: both move the focus), its text selected; type over
      # it, or change its last digit, or undo the typing; then Add to Script and back.
      laps=$((RANDOM % 99 + 1))
      laps=$(key_names_of "$laps" | paste -sd' ')
      local to_laps=Tab
      [ $((RANDOM % 2)) -eq 0 ] && to_laps=ctrl+Tab
      case $((RANDOM % 4)) in
        0) echo "$to_laps $laps" ;;
        1) echo "$to_laps End BackSpace $((RANDOM % 9 + 1))" ;;
        2) echo "$to_laps $laps ctrl+z" ;;
        3) echo "$to_laps Right ctrl+u ctrl+k BackSpace $((RANDOM % 9 + 1))" ;;
      esac
      echo "Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space Tab Tab"
      # The add puts the caret at the start, before the block's first line.
      words_on_line=0
    else
      echo "${editing[RANDOM % ${#editing[@]}]}"
    fi
  done
}

# Saves by the keyboard ("Save Script" is the control before the script area) and waits for the
# file. Keys are queued, so the save comes after every key before it.
save_by_keys() {
  rm -f "$script_file"
  xdotool key --delay 40 shift+Tab space
  wait_for_saved_file
  xdotool key --delay 40 Tab
}

run_random_keys() {
  local seeds seed sequence keys
  seeds=${RANDOM_KEY_SEEDS:-$(seq "$random_keys")}
  [ -z "$keep_files" ] || mkdir -p "$keep_files"
  [ -z "$compare_with" ] || [ -d "$compare_with" ] || fail "nothing to compare with in $compare_with"
  # From the laps box, which has the focus at start-up, Shift+Tab wraps round to the script area.
  keys shift+Tab
  local differences=0
  for seed in $seeds; do
    sequence=$(random_sequence "$seed")
    # Each sequence starts from an empty script; the history goes on.
    xdotool key --delay 40 ctrl+a Delete
    # shellcheck disable=SC2086
    xdotool key --delay 40 $sequence
    save_by_keys
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended during seed $seed"
    [ -z "$keep_files" ] || cp "$script_file" "$keep_files/seed-$seed.txt"
    if [ -n "$compare_with" ] && ! cmp -s "$compare_with/seed-$seed.txt" "$script_file"; then
      differences=$((differences + 1))
      {
        echo "--- seed $seed differs (rerun with RANDOM_KEY_SEEDS=$seed); its keys:"
        echo "$sequence"
        echo "--- the other window saved:"
        od -c "$compare_with/seed-$seed.txt"
        echo "--- this window saved:"
        od -c "$script_file"
      } >&2
    fi
  done
  [ "$differences" -eq 0 ] || fail "$differences of $(wc -w <<<"$seeds") sequences differ"
  echo "$(wc -w <<<"$seeds") random sequences saved$([ -z "$compare_with" ] || echo ', each as the other window saved it')"
}
