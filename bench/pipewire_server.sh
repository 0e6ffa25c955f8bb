#!/usr/bin/env bash
# A private PipeWire with its PulseAudio stand-in, to measure the program on a
# PipeWire desktop's sound without touching the machine: Debian 12's packages
# are unpacked into a folder of our own (kept, so the next start fetches
# nothing), nothing is installed, and pipewire, wireplumber and pipewire-pulse
# run at the packages' default settings on a runtime folder and a session bus
# of their own. Only the PulseAudio socket's folder is ours to choose
# (PULSE_RUNTIME_PATH): one that other users can reach, so that a root's server
# also serves a test user, as the PulseAudio daemon of sound_under_load.sh does.
#
# From a shell, as root or as yourself, in one terminal:
#   bench/pipewire_server.sh [DIR [SINK...]]
# starts it under DIR (default: a fresh /tmp/sorvane-pw.XXXXXX) with a null
# sink for each SINK (default: the six out_* sinks of sound_under_load.sh, the
# last one the default sink), prints the PULSE_SERVER to use, and stops
# everything on Ctrl-C. Then, in another terminal:
#   export PULSE_SERVER=unix:DIR/pulse/native
#   pactl info                # Server Name: PulseAudio (on PipeWire 0.3.65)
#   PULSE_SINK=out_player build-release/bin/sorvane
#   parecord -d out_player.monitor ...
# Or sourced, so the servers live as long as that shell or until pipewire_stop:
#   source bench/pipewire_server.sh
#   pipewire_start /tmp/my-pipewire && export PULSE_SERVER=$pipewire_pulse_server
#   pipewire_null_sink out_test
#   ...
#   pipewire_stop
#
# SORVANE_PIPEWIRE=dir  where the packages are kept (/tmp/sorvane-pipewire);
#   a complete folder there is used as it is: remove it to fetch afresh.
# The servers see the caller's DBUS_SYSTEM_BUS_ADDRESS (RealtimeKit for a user
# who may not take real-time scheduling alone, Bluetooth). On a machine with
# sound cards, wireplumber finds them as a desktop's would.

pipewire_packages=(pipewire pipewire-bin pipewire-pulse libpipewire-0.3-0 libpipewire-0.3-common
  libpipewire-0.3-modules libspa-0.2-modules wireplumber libwireplumber-0.4-0 liblilv-0-0
  liblua5.3-0 libserd-0-0 libsord-0-0 libsratom-0-0)
pipewire_root=""
pipewire_dir=""
pipewire_pulse_server=""
pipewire_pids=()
pipewire_daemon_pid=""
pipewire_pulse_pid=""
pipewire_env=()

# The packages unpacked into $pipewire_root, fetched only when not there yet.
pipewire_fetch() {
  local cache=${SORVANE_PIPEWIRE:-/tmp/sorvane-pipewire}
  pipewire_root=$cache/root
  [[ -f $cache/packages ]] && return 0
  if [[ -e $cache ]] && [[ -n $(ls -A "$cache") ]]; then
    echo "pipewire_server: $cache is not a complete unpacking; remove it" >&2
    return 1
  fi
  local unpack deb
  unpack=$(mktemp -d "$cache.XXXXXX") || return 1
  mkdir "$unpack/debs" "$unpack/root"
  # apt's download sandbox user must be able to write there.
  chmod 755 "$unpack"
  if [[ $EUID -eq 0 ]] && id _apt >/dev/null 2>&1; then chown _apt "$unpack/debs"; fi
  if ! (cd "$unpack/debs" && apt-get download -qq "${pipewire_packages[@]}"); then
    # A machine that has never read its package lists knows no candidates.
    if [[ $EUID -ne 0 ]] || ! apt-get update -qq ||
      ! (cd "$unpack/debs" && apt-get download -qq "${pipewire_packages[@]}"); then
      echo "pipewire_server: cannot download ${pipewire_packages[*]}" >&2
      rm -rf "$unpack"
      return 1
    fi
  fi
  for deb in "$unpack"/debs/*.deb; do
    dpkg -x "$deb" "$unpack/root" || { rm -rf "$unpack"; return 1; }
    dpkg-deb -f "$deb" Package Version | paste -sd' ' >>"$unpack/packages"
  done
  rm -rf "$unpack/debs"
  # Whoever finishes first fills the cache; a later one finds it taken.
  mv -T "$unpack" "$cache" 2>/dev/null || rm -rf "$unpack"
  [[ -f $cache/packages ]]
}

# Stops what pipewire_start started, newest first, and removes its folders
# but the logs. Only children of this shell: an old id the system has handed
# to another process since is left alone.
pipewire_stop() {
  local i pid waited
  for ((i = ${#pipewire_pids[@]} - 1; i >= 0; i--)); do
    pid=${pipewire_pids[i]}
    [[ $(ps -o ppid= -p "$pid" 2>/dev/null | tr -d ' ') == "$$" ]] || continue
    kill "$pid" 2>/dev/null || continue
    for ((waited = 0; waited < 50; waited++)); do
      kill -0 "$pid" 2>/dev/null || break
      # A child that has exited stays until it is waited for.
      [[ $(ps -o stat= -p "$pid" 2>/dev/null) == Z* ]] && break
      sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  pipewire_pids=()
  if [[ -n $pipewire_dir ]]; then
    rm -rf "${pipewire_dir:?}/runtime" "${pipewire_dir:?}/home" "${pipewire_dir:?}/pulse"
  fi
  return 0
}

# Waits up to five seconds for a command to succeed.
pipewire_wait_for() {
  local _
  for _ in $(seq 50); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# A program started the way the servers are: their environment, a log of
# its own in DIR; its id joins pipewire_pids.
pipewire_spawn() { # log program args...
  local log=$pipewire_dir/$1.log
  shift
  env -u PULSE_SERVER -u PIPEWIRE_REMOTE -u PIPEWIRE_RUNTIME_DIR -u DBUS_SESSION_BUS_ADDRESS \
    "${pipewire_env[@]}" "$@" >"$log" 2>&1 &
  pipewire_pids+=("$!")
}

pipewire_pactl() {
  env HOME="$pipewire_dir/home" PULSE_SERVER="$pipewire_pulse_server" pactl "$@"
}

# Starts the session bus, pipewire, wireplumber and pipewire-pulse under DIR;
# sets pipewire_pulse_server to the PulseAudio socket's address.
pipewire_start() { # DIR
  local dir=${1:?usage: pipewire_start DIR}
  pipewire_fetch || return 1
  mkdir -p "$dir" || return 1
  pipewire_dir=$(realpath "$dir")
  mkdir -p "$pipewire_dir/runtime" "$pipewire_dir/home" "$pipewire_dir/pulse"
  chmod 755 "$pipewire_dir" "$pipewire_dir/pulse"
  chmod 700 "$pipewire_dir/runtime"
  pipewire_pulse_server=unix:$pipewire_dir/pulse/native
  local root=$pipewire_root lib
  lib=$(dirname "$(ls "$root"/usr/lib/*/libpipewire-0.3.so.0)")
  local bus=unix:path=$pipewire_dir/runtime/bus
  pipewire_env=(
    HOME="$pipewire_dir/home"
    XDG_RUNTIME_DIR="$pipewire_dir/runtime"
    XDG_CONFIG_HOME="$pipewire_dir/home/.config"
    XDG_STATE_HOME="$pipewire_dir/home/.local/state"
  )
  pipewire_spawn dbus-session dbus-daemon --session --nofork --nopidfile --nosyslog --address="$bus"
  # Only the servers get the unpacked libraries.
  pipewire_env+=(
    DBUS_SESSION_BUS_ADDRESS="$bus"
    PULSE_RUNTIME_PATH="$pipewire_dir/pulse"
    # The modules' own run paths name /usr/lib: they find each other here.
    LD_LIBRARY_PATH="$lib:$lib/pipewire-0.3"
    PIPEWIRE_MODULE_DIR="$lib/pipewire-0.3"
    SPA_PLUGIN_DIR="$lib/spa-0.2"
    PIPEWIRE_CONFIG_DIR="$root/usr/share/pipewire"
    WIREPLUMBER_MODULE_DIR="$lib/wireplumber-0.4"
    WIREPLUMBER_CONFIG_DIR="$root/usr/share/wireplumber"
    WIREPLUMBER_DATA_DIR="$root/usr/share/wireplumber"
    ACP_PATHS_DIR="$root/usr/share/alsa-card-profile/mixer/paths"
    ACP_PROFILES_DIR="$root/usr/share/alsa-card-profile/mixer/profile-sets"
  )
  if ! {
    pipewire_wait_for test -S "$pipewire_dir/runtime/bus" &&
      pipewire_spawn pipewire "$root/usr/bin/pipewire" &&
      pipewire_daemon_pid=${pipewire_pids[-1]} &&
      pipewire_wait_for test -S "$pipewire_dir/runtime/pipewire-0" &&
      pipewire_spawn wireplumber "$root/usr/bin/wireplumber" &&
      pipewire_spawn pipewire-pulse "$root/usr/bin/pipewire-pulse" &&
      pipewire_pulse_pid=${pipewire_pids[-1]} &&
      pipewire_wait_for pipewire_pactl info &&
      # Streams are linked only once the session manager is there.
      pipewire_wait_for eval 'pipewire_pactl list clients | grep -q "application.name = \"WirePlumber\""'
  }; then
    echo "pipewire_server: the servers did not start; logs in $pipewire_dir" >&2
    pipewire_stop
    return 1
  fi
  local name
  name=$(pipewire_pactl info | sed -n 's/^Server Name: //p')
  if [[ $name != *PipeWire* ]]; then
    echo "pipewire_server: $pipewire_pulse_server is \"$name\", not PipeWire" >&2
    pipewire_stop
    return 1
  fi
}

# A null sink of the bench's format on the private server.
pipewire_null_sink() { # NAME
  pipewire_pactl load-module module-null-sink "sink_name=$1" format=float32le rate=44100 \
    channels=2 >/dev/null
}

# A PipeWire tool (pw-play, pw-cli, pw-metadata...) run on these servers.
pipewire_tool() { # TOOL ARGS...
  local tool=$1
  shift
  env -u PULSE_SERVER "${pipewire_env[@]}" "$pipewire_root/usr/bin/$tool" "$@"
}

# A null sink that is a node of the daemon, as a sound card is: it outlives a
# restart of the PulseAudio server.
pipewire_card_sink() { # NAME
  pipewire_tool pw-cli create-node adapter "{ factory.name=support.null-audio-sink
    node.name=$1 media.class=Audio/Sink object.linger=true audio.position=[FL FR] }" >/dev/null &&
    pipewire_wait_for eval "pipewire_pactl list short sinks | grep -q '[[:space:]]$1[[:space:]]'"
}

# Restarts the PulseAudio server alone, as systemctl restarts it.
pipewire_restart_pulse() {
  kill "$pipewire_pulse_pid"
  wait "$pipewire_pulse_pid" 2>/dev/null || true
  pipewire_spawn pipewire-pulse "$pipewire_root/usr/bin/pipewire-pulse"
  pipewire_pulse_pid=${pipewire_pids[-1]}
  pipewire_wait_for pipewire_pactl info
}

if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  dir=${1:-$(mktemp -d /tmp/sorvane-pw.XXXXXX)}
  sinks=("${@:2}")
  ((${#sinks[@]})) || sinks=(out_player out_paplay out_synth out_claves out_tone out_latency)
  trap pipewire_stop EXIT
  trap "exit 130" INT TERM
  pipewire_start "$dir"
  for sink in "${sinks[@]}"; do pipewire_null_sink "$sink"; done
  pipewire_pactl set-default-sink "${sinks[-1]}"
  echo "$(pipewire_pactl info | sed -n 's/^Server Name: //p'), sinks ${sinks[*]}; logs in $pipewire_dir"
  threads() { ps -L -o cls=,rtprio= -p "$1" | awk '{print $1 ($2 == "-" ? "" : " " $2)}' | paste -sd,; }
  echo "threads' scheduling: pipewire $(threads "$pipewire_daemon_pid")," \
    "pipewire-pulse $(threads "$pipewire_pulse_pid")"
  echo "export PULSE_SERVER=$pipewire_pulse_server"
  echo "Ctrl-C stops it."
  wait -n "${pipewire_pids[@]}" || true
  echo "pipewire_server: a server stopped; logs in $pipewire_dir" >&2
  exit 1
fi
