#!/usr/bin/env bash
# Dropouts, onset errors and live-note latency of the program's sound while
# every core is busy, as root, as a normal user, and as a normal user whom
# RealtimeKit serves. Each run plays, all at once and each to a null sink of
# its own: a steady WAV through the player, a held note through the
# synthesizer, claves on every step of the main window's playback, the same
# WAV through paplay (an ordinary client, for reference), and records a steady
# tone through the recorder; the sinks' monitors are recorded alongside.
# After the load stops, the live-note latency is taken on the idle machine.
# Beside each run, cpu_stalls tells how long the machine itself held a thread
# of the highest priority off its core meanwhile: no buffer shorter than that
# can hold, whoever fills it.
#
# Each round makes the three runs on PulseAudio, then the same three on
# PipeWire's stand-in for it (labelled "pw"), as a desktop may have either;
# the latency method is checked on each server, as each reports its streams'
# timing its own way. One table holds both servers' runs.
#
# Usage (as root): bench/sound_under_load.sh [REPEATS] [SECONDS]
#   REPEATS  rounds of the six runs (default 1); SECONDS per sound (60)
#   BUILD=dir      the Release build with the benchmarks (build-release)
#   KEEP=1         keeps the recordings (about 100 MB a run)
#   SORVANE_PIPEWIRE=dir  PipeWire's packages, fetched once (/tmp/sorvane-pipewire)
#
# Everything runs on servers of its own under a fresh folder in /tmp: a
# PulseAudio daemon (root's, real-time like a desktop's sound server) that the
# test user reaches through an anonymous socket; PipeWire, wireplumber and
# pipewire-pulse at their default settings, also root's and real-time by their
# own means, from Debian's packages unpacked beside them (pipewire_server.sh);
# and a private system bus with polkitd and rtkit-daemon. It stops only what
# it started.
set -euo pipefail

repeats=${1:-1}
seconds=${2:-60}
cd "$(dirname "$0")/.."
repo=$PWD
build=$(realpath "${BUILD:-build-release}")
driver=$build/bench/sound_sources
steps_bench=$build/bench/playback_bench
stalls=$build/bench/cpu_stalls
analysis=$repo/bench/sound_analysis.py
user=sorvanebench
notes=20
added_ms=50
python=/usr/bin/python3

[[ $EUID -eq 0 ]] || { echo "run as root: it makes a user and starts system services" >&2; exit 1; }
[[ -x $driver && -x $steps_bench && -x $stalls ]] || {
  echo "build first: cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSORVANE_BENCHMARKS=ON && cmake --build build-release" >&2
  exit 1
}

missing=()
for package in rtkit dbus polkitd pulseaudio pulseaudio-utils sox python3-numpy; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d /tmp/sorvane-sound.XXXXXX)
chmod 755 "$work"
results=$work/results
mkdir -p "$results" "$work/pulse" "$work/bus" "$work/home-root" "$work/runtime-root" \
  "$work/server-home" "$work/server-runtime"
chmod 700 "$work/runtime-root" "$work/server-runtime"
made_user=""
polkit_rule=/etc/polkit-1/rules.d/49-sorvane-sound-bench.rules

# Only children of this shell, so an old id the system has handed to another
# process since is left alone.
stop_pids() {
  local pid ours=()
  for pid in "$@"; do
    [[ $(ps -o ppid= -p "$pid" 2>/dev/null | tr -d ' ') == "$$" ]] && ours+=("$pid")
  done
  ((${#ours[@]})) || return 0
  kill "${ours[@]}" 2>/dev/null || true
  for pid in "${ours[@]}"; do wait "$pid" 2>/dev/null || true; done
}

# Whatever this script started is a child of it.
cleanup() {
  if declare -F pipewire_stop >/dev/null; then pipewire_stop; fi
  stop_pids $(pgrep -P $$)
  rm -f "$polkit_rule"
  if [[ -n $made_user ]]; then userdel "$user" 2>/dev/null || true; fi
  rm -rf "$work/pulse" "$work/bus" "$work"/*-home "$work"/home-* "$work"/*-runtime "$work"/runtime-* \
    "$work/check.pid"
  [[ ${KEEP:-0} == 1 ]] || rm -f "$work"/*.wav "$results"/*/*.f32 "$results"/*/*.wav "$results"/check/*.f32
}
trap cleanup EXIT
trap "exit 130" INT TERM

# --- the test user ------------------------------------------------------------
if ! id "$user" >/dev/null 2>&1; then
  useradd --home-dir "$work/home-user" --no-create-home --shell /bin/sh --user-group "$user"
  made_user=1
fi
mkdir -p "$work/home-user" "$work/runtime-user"
chown "$user:" "$work/home-user" "$work/runtime-user"
chmod 700 "$work/runtime-user"
for program in "$driver" "$steps_bench"; do
  runuser -u "$user" -- test -x "$program" || {
    echo "$user cannot run $program: make the build folder readable to others" >&2
    exit 1
  }
done

# Policies of a process's threads, as in "TS:2 FF:1".
thread_policies() {
  ps -L -o cls= -p "$1" | sort | uniq -c | awk '{printf "%s%s:%s", n++ ? " " : "", $2, $1}'
}

# --- the sound servers --------------------------------------------------------
pulse_server=unix:$work/pulse/native
server=$pulse_server
sinks=(player paplay synth claves tone latency)
sink_modules=()
for sink in "${sinks[@]}"; do
  sink_modules+=("--load=module-null-sink sink_name=out_$sink format=float32le rate=44100 channels=2")
done
env -u PULSE_SERVER HOME="$work/server-home" XDG_RUNTIME_DIR="$work/server-runtime" \
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --load="module-native-protocol-unix auth-anonymous=1 socket=$work/pulse/native" \
  "${sink_modules[@]}" >"$work/pulseaudio.log" 2>&1 &
pulse_pid=$!
for _ in $(seq 50); do
  PULSE_SERVER=$server pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
PULSE_SERVER=$server pactl set-default-sink out_latency
echo "sound server: PulseAudio $(PULSE_SERVER=$server pactl info | awk '/Server Version/ {print $3}')," \
  "threads $(thread_policies "$pulse_pid")"

# --- the private system bus, polkit and RealtimeKit ---------------------------
bus=unix:path=$work/bus/system_bus_socket
# The system bus's own configuration, listening here instead, without a pid
# file and without starting services on demand: what runs is what we start.
sed -e "s|<listen>.*</listen>|<listen>$bus</listen>|" -e '/<pidfile>/d' \
  -e '/<servicehelper>/d' -e '/<standard_system_servicedirs/d' \
  -e 's|<includedir>system.d</includedir>|<includedir>/usr/share/dbus-1/system.d</includedir>|' \
  /usr/share/dbus-1/system.conf >"$work/bus/system.conf"
dbus-daemon --config-file="$work/bus/system.conf" --nofork --nosyslog >"$work/dbus.log" 2>&1 &
for _ in $(seq 50); do [[ -S $work/bus/system_bus_socket ]] && break; sleep 0.1; done
cat >"$polkit_rule" <<EOF
polkit.addRule(function(action, subject) {
    if (action.id.indexOf("org.freedesktop.RealtimeKit1.") == 0 && subject.user == "$user")
        return polkit.Result.YES;
});
EOF
DBUS_SYSTEM_BUS_ADDRESS=$bus /usr/lib/polkit-1/polkitd --no-debug >"$work/polkitd.log" 2>&1 &
rtkit_pid=""

# PipeWire, on the private system bus so that nothing reaches the machine's.
# shellcheck source=bench/pipewire_server.sh
source "$repo/bench/pipewire_server.sh"
DBUS_SYSTEM_BUS_ADDRESS=$bus pipewire_start "$work/pipewire"
for sink in "${sinks[@]}"; do pipewire_null_sink "out_$sink"; done
pipewire_pactl set-default-sink out_latency
pw_server=$pipewire_pulse_server
echo "sound server: $(pipewire_pactl info | sed -n 's/^Server Name: //p'), threads" \
  "pipewire $(thread_policies "$pipewire_daemon_pid"), pipewire-pulse $(thread_policies "$pipewire_pulse_pid")"

# Asks RealtimeKit, as the test user, for SCHED_RR 5 on one of the user's
# processes; prints the policy that process ends up with.
rtkit_check() {
  local pid answer
  runuser -u "$user" -- sh -c 'echo $$; exec prlimit --rttime=200000 sleep 1' >"$work/check.pid" &
  local runner=$!
  sleep 0.3
  pid=$(cat "$work/check.pid")
  answer=$(runuser -u "$user" -- dbus-send --bus="$bus" --print-reply \
    --dest=org.freedesktop.RealtimeKit1 /org/freedesktop/RealtimeKit1 \
    org.freedesktop.RealtimeKit1.MakeThreadRealtimeWithPID \
    "uint64:$pid" "uint64:$pid" uint32:5 2>&1 | head -1) || true
  [[ $answer == "method return"* ]] && answer=granted || answer=${answer#Error }
  echo "RealtimeKit check ($1): MakeThreadRealtimeWithPID as $user -> ${answer%%:*};" \
    "then $(chrt -p "$pid" | sed -n 's/.*policy: //p;s/.*priority: / priority /p' | tr -d '\n')"
  wait "$runner"
}

start_rtkit() {
  # rtkit-daemon sets its own file size limit to 0: a regular file as its
  # output would kill it at its first message.
  DBUS_SYSTEM_BUS_ADDRESS=$bus /usr/libexec/rtkit-daemon --no-chroot > >(cat >>"$work/rtkit.log") 2>&1 &
  rtkit_pid=$!
  for _ in $(seq 50); do
    busctl --address="$bus" status org.freedesktop.RealtimeKit1 >/dev/null 2>&1 && break
    sleep 0.1
  done
}

stop_rtkit() {
  stop_pids "$rtkit_pid"
  rtkit_pid=""
}

# --- one run --------------------------------------------------------------------
# Runs a command as root or as the test user, in the environment of either;
# called in the background, it becomes that command, so stopping it stops the
# command.
as_who() {
  local who=$1
  shift
  local home=$work/home-root runtime=$work/runtime-root
  if [[ $who != root ]]; then home=$work/home-user runtime=$work/runtime-user; fi
  local environment=(HOME="$home" XDG_RUNTIME_DIR="$runtime" PULSE_SERVER="$server"
    DBUS_SYSTEM_BUS_ADDRESS="$bus" QT_QPA_PLATFORM=offscreen PATH=/usr/sbin:/usr/bin:/sbin:/bin)
  if [[ $who == root ]]; then
    exec env "${environment[@]}" "$@"
  else
    exec runuser -u "$user" -- env "${environment[@]}" "$@"
  fi
}

record_sink() { # sink file
  chrt -f 20 env PULSE_SERVER="$server" parecord --raw --format=float32le --rate=44100 \
    --channels=2 --latency-msec=20 -d "out_$1.monitor" >"$2" &
}

run_once() { # who label
  local who=$1 label=$2 dir=$results/$2
  mkdir -p "$dir"
  [[ $who == root ]] || chown "$user:" "$dir"
  printf 'run=%s\nseconds=%s\nload1_before=%s\nserver=%s\n' "$label" "$seconds" \
    "$(cut -d' ' -f1 /proc/loadavg)" "$(PULSE_SERVER=$server pactl info | sed -n 's/^Server Name: //p')" >"$dir/meta"

  local load=() recorders=() sources=() pid
  for _ in $(seq "$(nproc)"); do
    sh -c 'while :; do :; done' &
    load+=("$!")
  done
  while :; do awk '/procs_running/ {print $2}' /proc/stat; sleep 0.5; done >"$dir/runnable" &
  local sampler=$!

  for sink in player paplay synth claves; do
    record_sink "$sink" "$dir/$sink.f32"
    recorders+=("$!")
  done
  chrt -f 20 env PULSE_SERVER="$server" paplay -d out_tone --latency-msec=200 "$work/feed.wav" &
  local feeder=$!
  sleep 2  # fresh monitors settle their latency first

  as_who "$who" PULSE_SINK=out_player "$driver" player "$work/tone.wav" >"$dir/player.out" &
  sources+=("$!")
  as_who "$who" PULSE_SINK=out_paplay paplay "$work/tone.wav" &
  sources+=("$!")
  as_who "$who" PULSE_SINK=out_synth "$driver" synth "$seconds" >"$dir/synth.out" &
  sources+=("$!")
  as_who "$who" PULSE_SINK=out_claves "$driver" claves "$seconds" >"$dir/claves.out" &
  sources+=("$!")
  as_who "$who" PULSE_SOURCE=out_tone.monitor "$driver" recorder "$seconds" "$dir/recorder.wav" \
    >"$dir/recorder.out" &
  sources+=("$!")
  "$stalls" "$seconds" >"$dir/stalls.txt" &
  local watcher=$!
  for pid in "${sources[@]}"; do wait "$pid" || echo "$label: a source failed ($pid)" >&2; done
  wait "$watcher" || echo "$label: cpu_stalls failed" >&2
  sleep 1
  kill -INT "${recorders[@]}" 2>/dev/null || true
  stop_pids "${recorders[@]}" "$feeder"
  sed -n 's/^steps /steps=/p' "$dir/claves.out" >>"$dir/meta"
  echo "threads=$(sed -n 's/^threads //p' "$dir/player.out")|$(sed -n 's/^threads //p' "$dir/synth.out")" \
    >>"$dir/meta"

  if [[ $label == *rtkit* ]]; then
    as_who "$who" "$steps_bench" --benchmark_out="$dir/playback_bench.json" \
      --benchmark_out_format=json >"$dir/playback_bench.out" 2>&1 &
    wait "$!" || echo "$label: playback_bench failed" >&2
  fi
  stop_pids "${load[@]}" "$sampler"

  sleep 5  # the latency is an idle machine's
  as_who "$who" PULSE_SINK=out_latency "$driver" latency out_latency.monitor "$dir/latency.f32" \
    "$notes" >"$dir/latency.txt" &
  wait "$!"
  "$python" "$analysis" run "$dir"
  [[ ${KEEP:-0} == 1 ]] || rm -f "$dir"/*.f32 "$dir"/*.wav
}

# --- the figures ------------------------------------------------------------------
sox -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth "$seconds" sine 440 vol 0.5
sox -n -r 44100 -c 2 -b 16 "$work/feed.wav" synth "$((seconds + 10))" sine 1000 vol 0.5
chmod 644 "$work"/*.wav

echo "$(nproc) cores; $(uname -r); load average $(cut -d' ' -f1-3 /proc/loadavg) at $(date +%T)"
check_latency() { # folder
  local check=$1 kind option
  mkdir -p "$check"
  for kind in plain added reference; do
    case $kind in plain) option=0 ;; added) option=$added_ms ;; *) option=$kind ;; esac
    as_who root PULSE_SINK=out_latency "$driver" latency out_latency.monitor "$check/$kind.f32" 12 \
      "$option" >"$check/$kind.txt" &
    wait "$!"
  done
  echo "$added_ms" >"$check/added_ms"
  "$python" "$analysis" check "$check"
}
echo "on PulseAudio:"
check_latency "$results/check"
server=$pw_server
echo "on PipeWire:"
check_latency "$results/pw-check"
server=$pulse_server
rtkit_check "no rtkit-daemon"

# The three runs on the server in $server; PREFIX tells the server in labels.
three_runs() { # round prefix
  run_once "$user" "$1-${2}user"
  start_rtkit
  rtkit_check "rtkit-daemon running"
  run_once root "$1-${2}root"
  run_once "$user" "$1-${2}user+rtkit"
  stop_rtkit
}

pulse_runs=() pw_runs=()
for round in $(seq "$repeats"); do
  server=$pulse_server
  three_runs "$round" ""
  pulse_runs+=("$results/$round-user" "$results/$round-root" "$results/$round-user+rtkit")
  server=$pw_server
  three_runs "$round" pw-
  pw_runs+=("$results/$round-pw-user" "$results/$round-pw-root" "$results/$round-pw-user+rtkit")
done

echo
echo "load average $(cut -d' ' -f1-3 /proc/loadavg) at $(date +%T); results in $results"
echo "dropouts/silence ms over ${seconds} s; recorder: dropouts/silence ms/splices;" \
  "load1: load average before the run; runq: mean runnable tasks during it (ours included)"
"$python" "$analysis" table "${pulse_runs[@]}" "${pw_runs[@]}"
