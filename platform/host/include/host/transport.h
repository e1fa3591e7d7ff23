// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The viewer's transport over a show whose clock the host owns: the counter the demo
// reads, pause, step and seek. A pure state machine: the host tells it what happens
// (a present, a key, the time on its own clock) and asks it what to do.
//
// Times are show time in milliseconds: the counter value the demo reads, 0 at its
// first reading. `nowMs` is the host's own clock (the wall clock in a window, the
// virtual one headless); only its differences matter, and they may wrap.
//
// A seek reaches time T as an uninterrupted run at one frame per tick would: the
// counter stands still while the demo draws, and moves on 50 ms at every present,
// whose frame is not shown, until the first frame whose counter value is T or later;
// that one is shown and the show plays on from there. A seek back cannot be run
// forward: the transport asks the host to start the demo afresh (restartPending),
// and the host calls restart() once it has.
#pragma once

#include <cstdint>

namespace host {

// One thing a viewer asks of the transport: the same from a key, the page or a test's
// script. The numbers are those the page sends.
struct TransportCommand {
    enum class Kind { pause = 1, resume, step, stepBack, seek };
    Kind kind = Kind::pause;
    uint32_t targetMs = 0;  // a seek's target
};

class Transport {
public:
    // How far the counter moves at every present while a seek runs: one tick.
    static constexpr uint32_t seekStepMs = 50;

    // A show `lengthMs` long, whose first frame shown is the first at `startMs` or later.
    explicit Transport(uint32_t lengthMs, uint32_t startMs = 0);

    // The counter value the demo reads now.
    uint32_t counter(uint32_t nowMs) const;

    // A frame drawn after reading `readMs` is being presented at `nowMs`: whether to
    // show it. Moves a running seek on; ends it at its target.
    bool present(uint32_t readMs, uint32_t nowMs);
    // Whether the demo is to be held inside this present: paused, with no step or seek to run.
    bool holding() const { return paused && !stepping && !seeking && !restarting; }

    bool isPaused() const { return paused; }
    void setPaused(bool pause, uint32_t nowMs);
    // While paused: lets the demo draw and show the frame one tick after the one on
    // screen, then holds it again.
    void step();
    // While paused: the frame before the one on screen (a seek back).
    void stepBack(uint32_t nowMs);
    // Goes to the first frame at `targetMs` or later (no later than the show's last
    // tick), on from where the show stands when that lies ahead of the frame on
    // screen, else from the start.
    void seek(uint32_t targetMs, uint32_t nowMs);

    // What a command asks, at `nowMs`.
    void apply(const TransportCommand& command, uint32_t nowMs);

    bool isSeeking() const { return seeking || restarting; }
    uint32_t seekTarget() const { return target; }
    // How far a running seek has come, from 0 to 1.
    double seekProgress() const;

    // A seek back is waiting for the demo to be started afresh.
    bool restartPending() const { return restarting; }
    // The demo was started afresh: the counter is back at 0 and the seek runs from there.
    void restart();

    // The counter value the frame on screen was drawn at.
    uint32_t shownAt() const { return lastShown; }

private:
    void anchor(uint32_t counterMs, uint32_t nowMs);

    uint32_t length;
    uint32_t target;
    bool seeking = true;      // a fresh show is a seek to its start
    bool restarting = false;  // a seek back waits for a fresh demo
    bool paused = false;
    bool stepping = false;  // one present let through while paused
    bool running = false;   // the counter follows `nowMs`; else it stands at `frozen`
    uint32_t frozen = 0;
    uint32_t anchorCounter = 0, anchorNow = 0;
    uint32_t seekFrom = 0;
    uint32_t lastShown = 0;
};

}  // namespace host
