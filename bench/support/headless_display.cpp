// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "headless_display.h"

#include "display/display_setup.h"

#include <fcntl.h>
#include <unistd.h>

HeadlessDisplay::HeadlessDisplay() : hostObject(host::makeHeadlessHost({}))
{
    host::install(hostObject.get());
    setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupWindow);
    setUpResult = setUpDisplay(nullptr, SW_SHOWDEFAULT, &context, setupDirectDraw | setupDirect3D);
    if (ready())
        context.device->BeginScene();  // frames are drawn inside a scene, as after a present
}

HeadlessDisplay::~HeadlessDisplay()
{
    if (context.device)
        context.device->EndScene();
    tearDownDisplay(&context);
    host::install(nullptr);
}

bool HeadlessDisplay::enterDataFolder()
{
    previousFolder = open(".", O_RDONLY | O_DIRECTORY);
    return previousFolder >= 0 && chdir(MORNAKLE_DATA_DIR) == 0;
}

void HeadlessDisplay::leaveDataFolder()
{
    if (previousFolder >= 0) {
        [[maybe_unused]] int ignored = fchdir(previousFolder);
        close(previousFolder);
        previousFolder = -1;
    }
}
