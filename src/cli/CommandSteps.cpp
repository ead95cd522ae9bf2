#include "cli/CommandSteps.h"

#include <iostream>

namespace trakmora::cli {

int reportWorkbook(CliContext& ctx, const Status& saved, const std::filesystem::path& file) {
    if (!saved) return ctx.report(saved);
    if (ctx.state->writeWorkbooks) std::cout << "Workbook " << file.string() << '\n';
    return 0;
}

} // namespace trakmora::cli
