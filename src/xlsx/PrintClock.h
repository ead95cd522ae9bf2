#pragma once
// The moment a report is printed, in the forms the workbooks show it: the local date as a day
// serial, the local time of day in seconds, and the instant for the "created" document property.
// Taken from the program state's clock, so tests pin it.
#include <chrono>
#include <ctime>

namespace trakmora {

struct PrintClock {
    double dateSerial = 0;   // days since 30 December 1899, local date
    double secondsOfDay = 0; // local time, whole seconds after midnight
    std::time_t created = 0;

    static PrintClock at(std::chrono::system_clock::time_point moment);
};

} // namespace trakmora
