// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// A display set up as start-up leaves it, on the headless host: what benchmarks of
// whole frames draw into.
#pragma once

#include "display/display_context.h"
#include "host/headless_host.h"

#include <memory>

class HeadlessDisplay {
public:
    HeadlessDisplay();
    ~HeadlessDisplay();
    HeadlessDisplay(const HeadlessDisplay&) = delete;
    HeadlessDisplay& operator=(const HeadlessDisplay&) = delete;

    bool ready() const { return setUpResult == 0; }
    // Changes into the data folder for the duration of `load`, so that loads find their files.
    template <typename Load>
    bool loadFromDataFolder(Load load);

    DisplayContext context{};

private:
    bool enterDataFolder();
    void leaveDataFolder();

    std::unique_ptr<host::HeadlessHost> hostObject;
    HRESULT setUpResult = E_FAIL;
    int previousFolder = -1;
};

template <typename Load>
bool HeadlessDisplay::loadFromDataFolder(Load load)
{
    if (!enterDataFolder())
        return false;
    load(&context);
    leaveDataFolder();
    return true;
}
