#include "soft/faults.h"

#include <map>

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

}  // namespace

void injectFault(const std::string& call, long result, int skip, int times)
{
    faults().emplace(call, Fault{result, skip, times});
}

long takeFault(std::string_view call)
{
    if (faults().empty())
        return 0;
    auto [first, last] = faults().equal_range(call);
    for (auto it = first; it != last; ++it) {
        Fault& fault = it->second;
        if (fault.skip > 0) {
            --fault.skip;
            return 0;
        }
        long result = fault.result;
        if (--fault.times <= 0)
            faults().erase(it);
        return result;
    }
    return 0;
}

void clearFaults() { faults().clear(); }

}  // namespace soft
