#pragma once
// The download layouts by logger letter: h Holux, c Canmore, e Easy Logger, x Lumo. The letter
// is the first character of the download name, matched without regard to case; nothing inside
// the file decides the layout.
#include "tracking/loggers/LoggerLayout.h"

#include <array>

namespace trakmora {

// In the order the download list shows them.
const std::array<const LoggerLayout*, 4>& loggerLayouts();

// The layout for a logger letter, or nullptr for any other character.
const LoggerLayout* findLoggerLayout(char letter);

} // namespace trakmora
