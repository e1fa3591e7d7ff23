// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The program's entry on Windows. The demo opens its data files by their bare names;
// they sit in the folder "data" beside the executable, so the entry changes into it
// before it hands over to the demo's WinMain, whatever folder the program was started in.
#include "app/exit_codes.h"

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

namespace {

std::string dataFolder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "data";
}

// The command line after the program's own name, as WinMain receives it.
LPSTR arguments(LPSTR commandLine)
{
    bool quoted = false;
    for (; *commandLine && (quoted || (*commandLine != ' ' && *commandLine != '\t')); ++commandLine)
        if (*commandLine == '"')
            quoted = !quoted;
    while (*commandLine == ' ' || *commandLine == '\t')
        ++commandLine;
    return commandLine;
}

// The window's first appearance as whoever started the program asked for it.
int showCommand()
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

}  // namespace

int main()
{
    std::string data = dataFolder();
    if (!SetCurrentDirectoryA(data.c_str())) {
        std::string text = "The data folder is missing:\n" + data;
        MessageBoxA(nullptr, text.c_str(), "Mornakle 3D", MB_OK | MB_ICONERROR);
        return exitSetupFailed;
    }
    return WinMain(GetModuleHandleA(nullptr), nullptr, arguments(GetCommandLineA()), showCommand());
}
