#include "bench/ui/resident_memory.h"

#include <fstream>
#include <string>

namespace orvell::bench {
namespace {

// A line of /proc/self/status such as "VmRSS:    123456 kB".
double statusMb(const std::string& field) {
    std::ifstream status("/proc/self/status");
    const std::string start = field + ':';
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(start)) return std::stod(line.substr(start.size())) / 1024;
    }
    return 0;
}

}  // namespace

double residentMb() { return statusMb("VmRSS"); }

double peakResidentMb() { return statusMb("VmHWM"); }

}  // namespace orvell::bench
