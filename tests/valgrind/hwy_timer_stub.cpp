// Preloaded into octave-cli under valgrind (make test-valgrind-octave):
// Octave links libhwy (through libjxl), whose start-up times the processor
// with RDTSCP, an instruction valgrind 3.19 cannot run where the processor
// does not announce it (some virtual machines). This stands in for that one
// timing function; nothing of the toolbox uses it.
#include <cstdint>

namespace hwy {
namespace platform {
__attribute__((visibility("default"))) std::uint64_t TimerResolution() { return 1; }
} // namespace platform
} // namespace hwy
