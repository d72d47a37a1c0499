# Sourced by the X11 checks: a drag as a user makes it, pressing at x1 y1,
# moving to x2 y2 in ten steps and releasing there, then giving the drop
# time to land.
drag() {
  xdotool mousemove "$1" "$2"; sleep 0.2
  xdotool mousedown 1; sleep 0.2
  for ((step = 1; step <= 10; step++)); do
    xdotool mousemove $(($1 + ($3 - $1) * step / 10)) $(($2 + ($4 - $2) * step / 10))
    sleep 0.1
  done
  sleep 0.3; xdotool mouseup 1; sleep 2
}
