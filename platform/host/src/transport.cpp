// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "host/transport.h"

#include <algorithm>

namespace host {

Transport::Transport(uint32_t lengthMs, uint32_t startMs)
    : length(lengthMs), target(std::min(startMs, lengthMs > seekStepMs ? lengthMs - seekStepMs : 0))
{ }

uint32_t Transport::counter(uint32_t nowMs) const { return running ? anchorCounter + (nowMs - anchorNow) : frozen; }

void Transport::anchor(uint32_t counterMs, uint32_t nowMs)
{
    running = true;
    anchorCounter = counterMs;
    anchorNow = nowMs;
}

bool Transport::present(uint32_t readMs, uint32_t nowMs)
{
    if (restarting)
        return false;  // the demo is on its way out
    if (seeking) {
        if (readMs < target) {
            frozen += seekStepMs;
            return false;
        }
        seeking = false;
        lastShown = readMs;
        // The counter goes on from where the seek left it, as it would have at a present.
        if (!paused)
            anchor(frozen, nowMs);
        return true;
    }
    if (stepping) {
        // The step's frame; held again after it, the counter one tick on, as a
        // present moves it while a seek runs.
        stepping = false;
        frozen += seekStepMs;
    }
    lastShown = readMs;
    return true;
}

void Transport::setPaused(bool pause, uint32_t nowMs)
{
    if (pause == paused)
        return;
    paused = pause;
    stepping = false;
    if (pause) {
        frozen = counter(nowMs);
        running = false;
    } else if (!seeking && !restarting) {
        anchor(frozen, nowMs);
    }
}

void Transport::step()
{
    if (!paused || seeking || restarting)
        return;
    frozen = lastShown + seekStepMs;
    stepping = true;
}

void Transport::stepBack(uint32_t nowMs)
{
    if (paused)
        seek(lastShown > seekStepMs ? lastShown - seekStepMs : 0, nowMs);
}

void Transport::seek(uint32_t targetMs, uint32_t nowMs)
{
    uint32_t last = length > seekStepMs ? length - seekStepMs : 0;
    targetMs = std::min(targetMs, last);
    stepping = false;
    if (restarting || (seeking && targetMs < target) || (!seeking && targetMs <= lastShown)) {
        // Behind the frame on screen (or behind where a running seek already stands):
        // only a fresh demo gets there.
        restarting = true;
        seeking = false;
        running = false;
        seekFrom = 0;
        target = targetMs;
        return;
    }
    if (!seeking) {
        frozen = counter(nowMs);
        running = false;
        seeking = true;
        seekFrom = frozen;
    }
    target = targetMs;
}

void Transport::apply(const TransportCommand& command, uint32_t nowMs)
{
    using Kind = TransportCommand::Kind;
    switch (command.kind) {
    case Kind::pause:
    case Kind::resume:
        setPaused(command.kind == Kind::pause, nowMs);
        break;
    case Kind::step:
        step();
        break;
    case Kind::stepBack:
        stepBack(nowMs);
        break;
    case Kind::seek:
        seek(command.targetMs, nowMs);
        break;
    }
}

double Transport::seekProgress() const
{
    if (!isSeeking())
        return 1.0;
    if (restarting || target <= seekFrom)
        return 0.0;
    return std::min(1.0, double(frozen - seekFrom) / double(target - seekFrom));
}

void Transport::restart()
{
    restarting = false;
    seeking = true;
    running = false;
    frozen = 0;
    seekFrom = 0;
    lastShown = 0;
}

}  // namespace host
