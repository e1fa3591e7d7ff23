// The demo's device dialog in pixels, as dialog units of an 8-point font come out: OK,
// Cancel, the combo box of devices (id 1001) and its label.
#pragma once

#include "host/host.h"

inline host::DialogView deviceDialog(std::vector<std::string> items, int selection)
{
    return {"Select Rendering Device",
            390,
            88,
            {{1, "button", 206, 54, 75, 23, 0x50010001, "OK", {}, -1},
             {2, "button", 305, 54, 75, 23, 0x50010000, "Cancel", {}, -1},
             {1001, "combobox", 138, 11, 242, 88, 0x50210003, "", std::move(items), selection},
             {-1, "static", 11, 11, 108, 13, 0x50020000, "Render device", {}, -1}}};
}
