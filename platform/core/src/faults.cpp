// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "soft/faults.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace soft {
namespace {

struct Fault {
    long result;
    int skip;
    int times;
};

using FaultTable = std::multimap<std::string, Fault, std::less<>>;

FaultTable& faults()
{
    static FaultTable table;
    return table;
}

// Filled while static objects are constructed, before main; read-only afterwards.
std::vector<const char*>& registry()
{
    static std::vector<const char*> names;
    return names;
}

}  // namespace

FaultPoint::FaultPoint(const char* name) : name_(name) { registry().push_back(name); }

long FaultPoint::takeInjected() const
{
    auto [first, last] = faults().equal_range(std::string_view(name_));
    for (auto it = first; it != last; ++it) {
        Fault& fault = it->second;
        if (fault.skip > 0) {
            --fault.skip;
            return 0;
        }
        long result = fault.result;
        if (--fault.times <= 0) {
            faults().erase(it);
            --injectedFaultCount;
        }
        return result;
    }
    return 0;
}

void injectFault(const std::string& call, long result, int skip, int times)
{
    // A misspelt call would never fail, and the test asking for it would pass unseen.
    if (!isFaultPoint(call))
        throw std::invalid_argument("no call named " + call + " can be made to fail");
    faults().emplace(call, Fault{result, skip, times});
    ++FaultPoint::injectedFaultCount;
}

void clearFaults()
{
    faults().clear();
    FaultPoint::injectedFaultCount = 0;
}

std::vector<std::string> faultPoints()
{
    std::vector<std::string> names(registry().begin(), registry().end());
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

bool isFaultPoint(std::string_view call)
{
    return std::any_of(registry().begin(), registry().end(), [&](const char* name) { return call == name; });
}

}  // namespace soft
