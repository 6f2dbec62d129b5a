#pragma once

namespace orvell::bench {

// This process's resident memory in MB of 2^20 bytes, as Linux tells it in /proc/self/status:
// now (VmRSS) and at its highest so far (VmHWM), which nothing can lower again; 0 where there
// is no such file.
double residentMb();
double peakResidentMb();

}  // namespace orvell::bench
