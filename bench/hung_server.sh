#!/usr/bin/env bash
# The synthesizer while its sound server hangs: a PulseAudio daemon of its own
# stops answering without going away (stopped, as a hung server is) while the
# main window plays a dense score, eight organs and five drums with a note on
# every step, and answers again HANG seconds later. What the sink plays is
# recorded throughout: its level while the score plays after the hang, and
# 10 s after the score fell silent, when nothing may sound any more.
#
# After the Release build of the README, as root or as yourself:
#   bench/hung_server.sh [TRIES [HANG]]   (default 3 tries of a 33 s hang)
# SOUND_SOURCES=path runs another build's driver.

set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
driver=${SOUND_SOURCES:-$here/../build-release/bench/sound_sources}
tries=${1:-3}
hang=${2:-33}
[[ -x $driver ]] || { echo "hung_server: build $driver first (see README)" >&2; exit 1; }
for tool in pulseaudio parecord pactl; do
  command -v "$tool" >/dev/null || { echo "hung_server: needs $tool" >&2; exit 1; }
done
/usr/bin/python3 -c 'import numpy' 2>/dev/null || { echo "hung_server: needs python3-numpy" >&2; exit 1; }

work=$(mktemp -d /tmp/sorvane-hang.XXXXXX)
mkdir -p "$work/pulse" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export PULSE_SERVER=unix:$work/pulse/native
env -u PULSE_SERVER HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" \
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
  --load="module-null-sink sink_name=out format=float32le rate=44100 channels=2" \
  >"$work/pulseaudio.log" 2>&1 &
server=$!
trap 'kill -CONT $server 2>/dev/null; kill $server 2>/dev/null; wait $server 2>/dev/null || true' EXIT
for _ in $(seq 50); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
pactl set-default-sink out

# The score plays 60 s: the hang comes 5 s in, and the recording goes on 12 s
# beyond the score's end.
score=${SCORE:-60}
for try in $(seq "$tries"); do
  raw=$work/try$try.raw
  parecord -d out.monitor --raw --format=float32le --rate=44100 --channels=2 "$raw" &
  recording=$!
  sleep 0.5
  QT_QPA_PLATFORM=offscreen "$driver" dense "$score" >"$work/try$try.out" 2>&1 &
  player=$!
  sleep 5
  kill -STOP "$server"
  sleep "$hang"
  kill -CONT "$server"
  wait "$player"
  sleep 12
  kill "$recording"
  wait "$recording" 2>/dev/null || true
  /usr/bin/python3 - "$raw" "$try" <<'EOF'
import sys
import numpy as np
path, attempt = sys.argv[1], sys.argv[2]
frames = np.fromfile(path, dtype="<f4").reshape(-1, 2)
rate = 44100
sounding = np.flatnonzero(np.abs(frames).max(axis=1) > 0)
start = sounding[0] if len(sounding) else 0
def rms(part):
    return float(np.sqrt(np.mean(part ** 2))) if len(part) else float("nan")
# The recording stops 12 s after the score fell silent.
print("try %s: the score playing before the hang %.3f; 10-11.5 s after it fell silent %.4f"
      % (attempt, rms(frames[start + rate:start + 4 * rate]),
         rms(frames[len(frames) - 2 * rate:len(frames) - rate // 2])))
EOF
done
echo "recordings in $work"
