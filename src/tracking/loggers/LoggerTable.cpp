#include "tracking/loggers/LoggerTable.h"

#include "tracking/loggers/Canmore.h"
#include "tracking/loggers/EasyLogger.h"
#include "tracking/loggers/Holux.h"
#include "tracking/loggers/Lumo.h"

namespace trakmora {

const std::array<const LoggerLayout*, 4>& loggerLayouts() {
    static const std::array<const LoggerLayout*, 4> table = {&holuxLayout(), &canmoreLayout(),
                                                             &easyLoggerLayout(), &lumoLayout()};
    return table;
}

const LoggerLayout* findLoggerLayout(char letter) {
    const char lower = (letter >= 'A' && letter <= 'Z') ? static_cast<char>(letter - 'A' + 'a') : letter;
    for (const LoggerLayout* layout : loggerLayouts())
        if (layout->letter == lower) return layout;
    return nullptr;
}

} // namespace trakmora
