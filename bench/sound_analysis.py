#!/usr/bin/python3
"""Judges the recordings of bench/sound_under_load.sh.

  sound_analysis.py run DIR          DIR's recordings -> DIR/summary.json
  sound_analysis.py check DIR        the latency method's checks in DIR
  sound_analysis.py table DIR...     one line per run from the summaries
  sound_analysis.py told RAW OUT     the dropouts the program counted in OUT
                                     (sound_sources dropouts) against the
                                     gaps in RAW, its recording

Recordings of the null sinks' monitors are raw float32 stereo at 44100 Hz; the
recorder's own file is a 16-bit WAV.

A dropout is a run of exact silence (both channels 0) longer than 2 ms inside
a steady sound. The steady sound starts at the first frame that is not silent
and lasts as long as its source was asked to sound, less a margin for the
source's own stop; whatever of that stretch is missing from the recording
counts as silence too.
"""

import json
import re
import sys
import wave
from pathlib import Path

import numpy as np

RATE = 44100
DROPOUT_FRAMES = int(0.002 * RATE)  # longer than 2 ms
STEP = 0.125
# The tone the recorder records: a sine whose samples obey
# x[n] = 2 cos(w) x[n-1] - x[n-2]; a splice in the recording breaks that.
RECORDER_TONE_HZ = 1000
SPLICE_RESIDUAL = 0.01
# A server may start a capture stream with a moment of silence and fade the
# sound in (PipeWire: 10 ms of silence, then a fade well under 1 ms): the
# recording is judged from its first sound, and for splices from a little after.
RECORDER_SETTLE_FRAMES = int(0.02 * RATE)


def load(path):
    path = Path(path)
    if path.suffix == ".wav":
        with wave.open(str(path)) as file:
            frames = np.frombuffer(file.readframes(file.getnframes()), dtype="<i2")
            return frames.reshape(-1, file.getnchannels()).astype(np.float32) / 32768.0
    return np.fromfile(path, dtype="<f4").reshape(-1, 2)


def silent_runs(silent):
    """(start, length) of each run of True."""
    edges = np.diff(np.concatenate(([0], silent.astype(np.int8), [0])))
    starts = np.flatnonzero(edges == 1)
    return starts, np.flatnonzero(edges == -1) - starts


def dropouts(frames, seconds, skip=0.0, margin=0.2):
    silent = np.all(frames == 0.0, axis=1)
    sounding = np.flatnonzero(~silent)
    if len(sounding) == 0:
        return {"dropouts": None, "silence_ms": None}
    begin = sounding[0] + int(skip * RATE)
    end = sounding[0] + int((seconds - margin) * RATE)
    stretch = np.concatenate((silent[begin:end], np.ones(max(0, end - len(silent)), bool)))
    _, lengths = silent_runs(stretch)
    long_runs = lengths[lengths > DROPOUT_FRAMES]
    return {
        "dropouts": int(len(long_runs)),
        "silence_ms": round(1000.0 * long_runs.sum() / RATE, 1),
    }


def splices(frames):
    x = frames[:, 0].astype(np.float64)
    w = 2 * np.pi * RECORDER_TONE_HZ / RATE
    residual = np.abs(x[2:] - 2 * np.cos(w) * x[1:-1] + x[:-2])
    breaks = np.flatnonzero(residual > SPLICE_RESIDUAL)
    # One splice upsets two predictions; silence is counted as dropouts.
    loud = np.abs(x[2:]) + np.abs(x[1:-1]) + np.abs(x[:-2]) > 0
    breaks = breaks[loud[breaks]]
    return int(np.count_nonzero(np.diff(breaks) > 2) + (len(breaks) > 0))


def onsets(frames, threshold, refractory):
    """First frame of each stretch above threshold, refractory seconds apart."""
    level = np.abs(frames).max(axis=1)
    found = []
    for index in np.flatnonzero(level > threshold):
        if not found or index - found[-1] > refractory * RATE:
            found.append(index)
    return np.array(found)


def percentile(values, share):
    ordered = np.sort(values)
    return float(ordered[int(share * (len(ordered) - 1))])


def claves(frames, steps):
    level = np.abs(frames).max(axis=1)
    # Half the typical peak: on the hits' steep attack, below any tail.
    threshold = 0.5 * np.percentile(level[level > 0], 99.9) if np.any(level > 0) else 1.0
    hits = onsets(frames, threshold, STEP / 2)
    errors = np.abs(np.diff(hits) / RATE - STEP) * 1000.0
    if len(errors) == 0:
        return {"onsets": int(len(hits)), "steps": steps}
    return {
        "onsets": int(len(hits)),
        "steps": steps,
        "onset_p50_ms": round(percentile(errors, 0.5), 2),
        "onset_p99_ms": round(percentile(errors, 0.99), 2),
        "onset_max_ms": round(float(errors.max()), 2),
    }


def sent_times(path):
    """(sent, expected or None) per note from the driver's latency output."""
    notes = []
    for line in Path(path).read_text().splitlines():
        words = line.split()
        if words and words[0] == "sent":
            notes.append((float(words[1]), float(words[3]) if len(words) > 3 else None))
    return notes


def latencies(recording, sent_file):
    """Milliseconds from each sending to its onset; the expected ones too."""
    level = np.abs(load(recording)).max(axis=1)
    measured, expected = [], []
    for sent, expect in sent_times(sent_file):
        # From a little before the sending, so a clock that runs early shows.
        first = max(0, int((sent - 0.05) * RATE))
        loud = np.flatnonzero(level[first : first + int(0.5 * RATE)] > 0.02)
        if len(loud):
            measured.append(1000.0 * ((first + loud[0]) / RATE - sent))
            expected.append(None if expect is None else 1000.0 * expect)
    return np.array(measured), expected


def latency_summary(recording, sent_file):
    measured, _ = latencies(recording, sent_file)
    notes = len(sent_times(sent_file))
    if len(measured) == 0:
        return {"latency_notes": f"0/{notes}"}
    return {
        "latency_notes": f"{len(measured)}/{notes}",
        "latency_median_ms": round(float(np.median(measured)), 1),
        "latency_max_ms": round(float(measured.max()), 1),
    }


def gap_runs(silent, begin, end):
    """(first frame, frames) of each gap between begin and end."""
    starts, lengths = silent_runs(silent[begin:end])
    return [(begin + start, length) for start, length in zip(starts, lengths)
            if length > DROPOUT_FRAMES]


def dropouts_told(recording, printed, window=0.05):
    """Gaps in the held note's recording against the dropouts counted then.

    A gap is a run of exact silence longer than 2 ms while the note is held; a
    dropout counted with no gap within the window is a false one, and a gap
    with a dropout within the window was told."""
    events = {}
    for line in Path(printed).read_text().splitlines():
        words = line.split()
        if len(words) >= 2 and words[0] in ("held", "released", "dropout"):
            events.setdefault(words[0], []).append(float(words[1]))
    frames = load(recording)
    # From the note's first sound to its release.
    silent = np.all(frames == 0.0, axis=1)
    sounding = np.flatnonzero(~silent)
    begin = sounding[0] if len(sounding) else 0
    end = min(len(silent), int(events.get("released", [0.0])[0] * RATE))
    gaps = [start / RATE for start, _ in gap_runs(silent, begin, end)]
    counted = [t for t in events.get("dropout", []) if t >= begin / RATE]
    near = lambda t, times: any(abs(t - other) <= window for other in times)
    return {
        "gaps": len(gaps),
        "dropouts": len(counted),
        "told": sum(near(gap, counted) for gap in gaps),
        "false": sum(not near(t, gaps) for t in counted),
        "told_after_ms": [round(1000 * (t - min(gaps, key=lambda g: abs(g - t))), 1)
                          for t in counted if near(t, gaps)],
    }


def gaps(recording):
    """(start in seconds, length in ms) of each gap after the first sound."""
    silent = np.all(load(recording) == 0.0, axis=1)
    sounding = np.flatnonzero(~silent)
    if len(sounding) == 0:
        return []
    return [(round(start / RATE, 3), round(1000 * length / RATE, 1))
            for start, length in gap_runs(silent, sounding[0], sounding[-1])]


def read_meta(run):
    meta = {}
    for line in (run / "meta").read_text().splitlines():
        key, _, value = line.partition("=")
        meta[key] = value
    return meta


def playback_bench(path):
    if not path.exists():
        return {}
    result = {}
    for bench in json.loads(path.read_text())["benchmarks"]:
        scrolling = bench["name"].startswith("BM_PlayScoreScrolling")
        key = "steps_scrolling" if scrolling else "steps"
        result[key + "_p99_ms"] = round(bench.get("p99_dev_ms", float("nan")), 2)
        result[key + "_max_ms"] = round(bench.get("max_dev_ms", float("nan")), 2)
    return result


def cpu_stalls(path):
    """cpu_stalls' line: stalls over 4 ms, over 10 ms, the longest."""
    if not path.exists():
        return {}
    found = re.search(r"over 4 ms (\d+), over 10 ms (\d+), longest ([0-9.]+) ms", path.read_text())
    if not found:
        return {}
    return {"stalls_over_4ms": int(found[1]), "stalls_over_10ms": int(found[2]),
            "stall_longest_ms": float(found[3])}


def analyse_run(run):
    run = Path(run)
    meta = read_meta(run)
    seconds = float(meta["seconds"])
    runnable = np.loadtxt(run / "runnable", ndmin=1) if (run / "runnable").exists() else []
    summary = {
        "run": meta["run"],
        "load1_before": float(meta["load1_before"]),
        "runnable_mean": round(float(np.mean(runnable)), 1) if len(runnable) else None,
        "threads": meta.get("threads", ""),
        "player": dropouts(load(run / "player.f32"), seconds),
        "paplay": dropouts(load(run / "paplay.f32"), seconds),
        "synth": dropouts(load(run / "synth.f32"), seconds),
        "synth_after_3s": dropouts(load(run / "synth.f32"), seconds, skip=3.0),
        "claves": claves(load(run / "claves.f32"), int(meta.get("steps", 0))),
    }
    recorded = load(run / "recorder.wav")
    sounding = np.flatnonzero(np.any(recorded != 0.0, axis=1))
    first = sounding[0] if len(sounding) else 0
    summary["recorder"] = dropouts(recorded, (len(recorded) - first) / RATE, margin=0.0)
    summary["recorder"]["splices"] = splices(recorded[first + RECORDER_SETTLE_FRAMES :])
    if (run / "latency.f32").exists():
        summary.update(latency_summary(run / "latency.f32", run / "latency.txt"))
    summary.update(playback_bench(run / "playback_bench.json"))
    summary.update(cpu_stalls(run / "stalls.txt"))
    (run / "summary.json").write_text(json.dumps(summary, indent=1))


def check(folder):
    """The latency method against a known added delay and a stream's own
    report of its latency."""
    folder = Path(folder)
    plain, _ = latencies(folder / "plain.f32", folder / "plain.txt")
    delayed, _ = latencies(folder / "added.f32", folder / "added.txt")
    added = int((folder / "added_ms").read_text())
    clicks, expected = latencies(folder / "reference.f32", folder / "reference.txt")
    differences = clicks - np.array(expected, dtype=float)
    print(f"latency method check: {len(plain)} notes median {np.median(plain):.1f} ms; "
          f"with {added} ms added between reading the clock and sending, "
          f"{len(delayed)} notes median {np.median(delayed):.1f} ms "
          f"(+{np.median(delayed) - np.median(plain):.1f} ms)")
    print(f"  reference clicks: {len(clicks)} measured median {np.median(clicks):.2f} ms; "
          f"measured minus the click stream's own latency: median "
          f"{np.median(differences):+.2f} ms, range {differences.min():+.2f}.."
          f"{differences.max():+.2f} ms")


def cell(values, *keys, digits=None):
    parts = []
    for key in keys:
        value = values.get(key)
        parts.append("-" if value is None else f"{value:.{digits}f}" if digits is not None
                     else str(value))
    return "/".join(parts)


def table(runs):
    header = ("run", "load1", "runq", "threads player|synth", "player", "synth", "synth>3s", "recorder",
              "paplay", "claves onset p50/p99/max", "hits", "latency med/max",
              "steps p99/max", "scrolling p99/max", "cpu stalls >4/>10 ms/longest")
    rows = []
    for run in runs:
        s = json.loads((Path(run) / "summary.json").read_text())
        rows.append((
            s["run"], f"{s['load1_before']:.1f}", str(s["runnable_mean"]), s["threads"],
            cell(s["player"], "dropouts", "silence_ms"),
            cell(s["synth"], "dropouts", "silence_ms"),
            cell(s["synth_after_3s"], "dropouts", "silence_ms"),
            cell(s["recorder"], "dropouts", "silence_ms", "splices"),
            cell(s["paplay"], "dropouts", "silence_ms"),
            cell(s["claves"], "onset_p50_ms", "onset_p99_ms", "onset_max_ms"),
            cell(s["claves"], "onsets", "steps"),
            cell(s, "latency_median_ms", "latency_max_ms"),
            cell(s, "steps_p99_ms", "steps_max_ms"),
            cell(s, "steps_scrolling_p99_ms", "steps_scrolling_max_ms"),
            cell(s, "stalls_over_4ms", "stalls_over_10ms", "stall_longest_ms"),
        ))
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(value.ljust(width) for value, width in zip(row, widths)).rstrip())


if __name__ == "__main__":
    command, *paths = sys.argv[1:]
    if command == "run":
        analyse_run(paths[0])
    elif command == "check":
        check(paths[0])
    elif command == "table":
        table(paths)
    elif command == "told":
        print(json.dumps(dropouts_told(paths[0], paths[1])))
    else:
        sys.exit(__doc__)
