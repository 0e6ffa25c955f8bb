#pragma once
// Real-time scheduling for the threads that keep time: the synthesizer's
// audio thread and the playback steps. A process allowed to raise itself (root,
// or a user with an rtprio limit) does so directly; otherwise the desktop's
// RealtimeKit service is asked over the system bus, as sound servers and audio
// programs do. Where neither allows it, nothing changes and nothing is said:
// the program plays as it would without.

#include <sys/types.h>

#include <cstdint>

namespace sys {

// Above every ordinary task and below the sound server (which RealtimeKit
// grants 5 by default), the synthesizer above the window's steps.
constexpr int StepPriority = 1;
constexpr int SynthPriority = 3;

// The calling thread's id, as the kernel and RealtimeKit name it.
pid_t currentThreadId();

// Gives thread (of this process) round-robin real-time scheduling at
// priority, children forked from it starting without. True when granted.
bool makeThreadRealtime(pid_t thread, int priority);

// The RealtimeKit half alone: sets the CPU-time limit for real-time threads
// that RealtimeKit insists on (a real-time thread that computes longer than it
// without blocking gets a signal), then asks for thread at priority, lowered
// to the service's ceiling. False when no bus, no service or a refusal.
bool askRealtimeKit(pid_t thread, int priority);

// True when the thread's effective scheduling is real-time, whether its own
// or lent to it by a waiting real-time thread.
bool threadRunsRealtime(pid_t thread);

}  // namespace sys
