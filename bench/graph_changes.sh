#!/usr/bin/env bash
# The synthesizer on PipeWire while other programs join and leave the
# server's graph at cycles of their own, as a call or a music program at low
# latency does. It runs on a PipeWire of its own (bench/pipewire_server.sh)
# whose sink is a node of the daemon, as a sound card is, so that it outlives
# a restart of the PulseAudio server. It measures:
#   - the dropouts the program counts against the gaps in the sink's
#     recording (a gap: more than 2 ms of exact silence; a dropout with no gap
#     within 50 ms is a false one), while a program joins for a second and
#     leaves, JOINS times, at 128 and at 64 frames, at PipeWire's default
#     settings and at a virtual machine's (cycles of 1024 frames at least);
#   - the dropouts counted while the PulseAudio server restarts twice, and
#     the gaps in the sink's sound then (each restart leaves one of about a
#     second, while the synthesizer finds the new server);
#   - onset errors of claves on every step at tempo 120 while a program at
#     128 frames joins 5 s in and leaves 12 s in;
#   - the live-note latency before and after JOINS joins.
#
# After the Release build of the README, as root or as yourself:
#   bench/graph_changes.sh [JOINS]        (default 20: about ten minutes)
# SOUND_SOURCES=path runs another build's driver.

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
driver=${SOUND_SOURCES:-$here/../build-release/bench/sound_sources}
joins=${1:-20}
[[ -x $driver ]] || { echo "graph_changes: build $driver first (see README)" >&2; exit 1; }
for tool in sox parecord pkill; do
  command -v "$tool" >/dev/null || { echo "graph_changes: needs $tool" >&2; exit 1; }
done
/usr/bin/python3 -c 'import numpy' 2>/dev/null || { echo "graph_changes: needs python3-numpy" >&2; exit 1; }

# shellcheck source=bench/pipewire_server.sh
source "$here/pipewire_server.sh"
work=$(mktemp -d /tmp/sorvane-graph.XXXXXX)
trap pipewire_stop EXIT
trap "exit 130" INT TERM
pipewire_start "$work/pw"
export PULSE_SERVER=$pipewire_pulse_server PULSE_SINK=card
pipewire_card_sink card
pipewire_pactl set-default-sink card
sox -n -r 48000 -c 2 "$work/second.wav" trim 0 1
sox -n -r 48000 -c 2 "$work/seven.wav" trim 0 7
analysis() { /usr/bin/python3 -c "import sys; sys.path.insert(0, '$here'); import sound_analysis as a; $1"; }

# Joins and leaves at LATENCY frames, a second each, a second apart.
come_and_go() { # LATENCY COUNT
  local _
  for _ in $(seq "$2"); do
    pipewire_tool pw-play --latency="$1" "$work/second.wav"
    sleep 1
  done
}

dropouts_while_joining() { # NAME LATENCY
  "$driver" dropouts card.monitor "$work/$1.raw" $((joins * 2 + 5)) >"$work/$1.txt" &
  local held=$!
  sleep 3
  come_and_go "$2" "$joins"
  wait "$held"
  printf '%-24s %s\n' "$1" "$(analysis "print(a.dropouts_told('$work/$1.raw', '$work/$1.txt'))")"
}

echo "Dropouts counted against gaps in the sound, $joins joins and leaves each:"
quantum=$(pipewire_tool pw-metadata -n settings 0 clock.min-quantum |
  sed -n "s/.*key:'clock.min-quantum' value:'\([0-9]*\)'.*/\1/p")
dropouts_while_joining default-128 128
dropouts_while_joining default-64 64
pipewire_tool pw-metadata -n settings 0 clock.min-quantum 1024 >/dev/null
dropouts_while_joining vm-128 128
pipewire_tool pw-metadata -n settings 0 clock.min-quantum "${quantum:-16}" >/dev/null

# The probe's own recording ends with the PulseAudio server; a client of the
# daemon records the sink across the restarts. Its times count from just
# before it started, as the restarts' and dropouts' do: tens of ms apart.
monotonic() { /usr/bin/python3 -c 'import time; print("%.6f" % time.monotonic())'; }
recorded=$(monotonic)
pipewire_tool pw-record --target card -P '{ stream.capture.sink=true }' --rate 44100 \
  --channels 2 --format f32 "$work/restart.wav" 2>"$work/restart-record.txt" &
recording=$!
"$driver" dropouts card.monitor "$work/restart-probe.raw" 25 >"$work/restart.txt" &
held=$!
sleep 5
echo "restart $(monotonic)" >"$work/restarts.txt"
pipewire_restart_pulse
sleep 8
echo "restart $(monotonic)" >>"$work/restarts.txt"
pipewire_restart_pulse
wait "$held" || true
# The tool runs under the function's shell: stopped itself, it closes its file.
pkill -P "$recording" pw-record
wait "$recording" 2>/dev/null || true
sox -V1 "$work/restart.wav" -t f32 "$work/restart.raw"
since() { awk -v from="$recorded" '{ printf "%.3f s", $NF - from }'; }
echo "two restarts of the PulseAudio server: $(grep -c '^dropout' "$work/restart.txt" || true) dropouts counted"
{ grep '^dropout' "$work/restart.txt" || true; } | while read -r line; do echo "  a dropout at $(since <<<"$line")"; done
while read -r line; do echo "  a restart at $(since <<<"$line")"; done <"$work/restarts.txt"
analysis "print('  gaps in the sink\'s sound (s, ms): %s' % a.gaps('$work/restart.raw'))"

echo "Claves on every step while a program at 128 frames joins 5 s in and leaves 12 s in:"
parecord -d card.monitor --raw --format=float32le --rate=44100 --channels=2 "$work/claves.raw" &
recording=$!
sleep 0.5
QT_QPA_PLATFORM=offscreen "$driver" claves 20 >"$work/claves.out" &
claves=$!
sleep 5
pipewire_tool pw-play --latency=128 "$work/seven.wav"
wait "$claves"
sleep 0.5
kill "$recording"
wait "$recording" 2>/dev/null || true
analysis "print(a.claves(a.load('$work/claves.raw'), 160))"

echo "Live notes before and after $joins joins and leaves at 128 frames:"
"$driver" latency card.monitor "$work/latency.raw" 120 >"$work/latency.txt" &
notes=$!
sleep 18
come_and_go 128 "$joins"
wait "$notes"
analysis "
import numpy as np
measured, _ = a.latencies('$work/latency.raw', '$work/latency.txt')
sent = [s for s, _ in a.sent_times('$work/latency.txt')]
before = [m for m, s in zip(measured, sent) if 3 < s < 18]
after = [m for m, s in zip(measured, sent) if s > 18 + 2 * $joins + 2]
print('before: %d notes, median %.1f ms; after: %d notes, median %.1f ms, worst %.1f ms' % (
    len(before), np.median(before), len(after), np.median(after), max(after)))"
echo "recordings and outputs in $work"
