# Sourced by the end-to-end scripts. xdotool types a character missing from the keyboard map by
# binding it to a spare key code for that one press; the program may read the press before it
# has taken in the changed map, and the character is lost (seen with the first Chinese character
# of a prefix). pin_keys binds every non-ASCII character of its arguments to a free key code for
# good before the program starts, so that xdotool finds each one already on the keyboard. Call it
# once the window manager holds the display: the server restores its map when the last client
# leaves.
pin_keys() {
  local text="$*" free=() seen="" char code i=0
  mapfile -t free < <(xmodmap -pke | awk '$1 == "keycode" && NF == 3 && $2 > 8 { print $2 }')
  while IFS= read -r char; do
    [ -z "$char" ] && continue
    case "$seen" in *"$char"*) continue ;; esac
    seen+="$char"
    [ "$i" -lt "${#free[@]}" ] || { echo "pin_keys: no free key code for $char" >&2; return 1; }
    code=$(printf '%s' "$char" | iconv -f UTF-8 -t UTF-32BE | od -An -tx1 | tr -d ' \n' |
      sed 's/^0*//')
    xmodmap -e "keycode ${free[$i]} = U$code U$code"
    i=$((i + 1))
  done < <(printf '%s' "$text" | LC_ALL=C.UTF-8 grep -o . | LC_ALL=C.UTF-8 grep -P '[^\x00-\x7f]')
}
