#!/usr/bin/env bash
# The screen saver's processor time under Wine on two virtual 1920x1080 monitors, read from
# /proc: the saver's own process and, apart, the share of the wineserver of its session.
#   bench/saver_cpu.sh [SECONDS]      (default 60; needs a build: tools/test or tools/run)
# Measures the full-screen saver with its sweeping second hand, the same without a second
# hand, and the preview (in a 152 x 112 window of another process; at most 40 s of the minute
# that window lives). The wineserver serves every process of the session: for the preview that
# includes the stand-in parent's helper, whose share alone is measured first. The X servers'
# own work is not counted.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
warm_up=5

if [ "${2:-}" != --inside ]; then
  # 32-bit programs may run through an emulator on this machine, whose figures say nothing
  # about a real processor.
  if emulator=$(tools/i386-emulator); then
    echo "NOTE: 32-bit programs run through $emulator here; the figures below are the" \
         "emulator's and not comparable with a processor's"
  else
    echo "32-bit programs run natively here (no emulator registered with binfmt_misc)"
  fi
  echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //')"
  echo "wine: $(wine --version)"
  exec tools/wine-session --root build/wine --screens 1920x1080,1920x1080 \
    --timeout $((3 * (seconds + 30) + 60)) -- "$0" "$seconds" --inside
fi

ticks=$(getconf CLK_TCK)
saver=$PWD/build/Flarvex.scr

# The process named $1 that belongs to this session's Wine prefix.
session_process() {
  for pid in $(pgrep -x "$1"); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"
      return 0
    fi
  done
  return 1
}

# User and system time of a process so far, in clock ticks.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$1/stat"
}

# The wineserver's share, in percent of a core, over $1 seconds with no saver running.
server_alone() {
  local server start
  server=$(session_process wineserver32 || session_process wineserver) || { echo 0; return; }
  start=$(cpu_ticks "$server")
  sleep "$1"
  awk -v t=$(($(cpu_ticks "$server") - start)) -v hz="$ticks" -v span="$1" \
    'BEGIN { printf "%.2f", 100 * t / hz / span }'
}

# Measures the running saver for $2 seconds and prints a line for case $1.
measure() {
  local what=$1 span=$2 pid server
  sleep "$warm_up"
  pid=$(session_process Flarvex.scr) || { echo "saver_cpu: no saver process for $what" >&2; exit 1; }
  server=$(session_process wineserver32 || session_process wineserver) ||
    { echo "saver_cpu: no wineserver for $what" >&2; exit 1; }
  local saver_start server_start
  saver_start=$(cpu_ticks "$pid")
  server_start=$(cpu_ticks "$server")
  sleep "$span"
  local saver_used=$(($(cpu_ticks "$pid") - saver_start))
  local server_used=$(($(cpu_ticks "$server") - server_start))
  awk -v what="$what" -v span="$span" -v hz="$ticks" -v s="$saver_used" -v w="$server_used" \
    'BEGIN { printf "%-44s saver %5.2f %%   wineserver %5.2f %%   both %5.2f %% of one core over %d s\n",
             what, 100 * s / hz / span, 100 * w / hz / span, 100 * (s + w) / hz / span, span }'
}

set_second_hand() {
  wine reg add 'HKCU\Software\Flarvex\Clock' /v SecondHand /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

stop_saver() {
  local pid
  pid=$(session_process Flarvex.scr) && kill "$pid"
  wait 2>/dev/null || true
}

set_second_hand 1
wine "$saver" /s >/dev/null 2>&1 &
measure "full screen, 2 x 1920x1080, sweeping" "$seconds"
stop_saver

set_second_hand 0
wine "$saver" /s >/dev/null 2>&1 &
measure "full screen, 2 x 1920x1080, no second hand" "$seconds"
stop_saver

set_second_hand 1
preview_span=$((seconds < 40 ? seconds : 40))
# Its input from /dev/null: it lives on for a minute rather than until its input closes.
coproc host { wine "$PWD/build/test-tools/window_host.exe" </dev/null; }
read -r handle <&"${host[0]}"
handle=${handle%$'\r'}
echo "(wineserver with the preview's parent alone: $(server_alone 5) % of one core over 5 s)"
wine "$saver" /p "$handle" >/dev/null 2>&1 &
measure "preview, 152x112" "$preview_span"
stop_saver
