#include "xlsx/PrintClock.h"

#include "common/Format.h"

namespace trakmora {

PrintClock PrintClock::at(std::chrono::system_clock::time_point moment) {
    PrintClock clock;
    clock.created = std::chrono::system_clock::to_time_t(moment);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &clock.created);
#else
    localtime_r(&clock.created, &local);
#endif
    clock.dateSerial = trakmora::dateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    clock.secondsOfDay = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec;
    return clock;
}

} // namespace trakmora
