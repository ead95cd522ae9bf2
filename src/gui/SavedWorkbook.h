#pragma once
// After a workbook is saved the desktop's spreadsheet program shows it, as the organiser expects;
// off in tests and with --no-open.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <QDesktopServices>
#include <QUrl>
#include <filesystem>

namespace trakmora {

inline void openSavedWorkbook(const ProgramState& state, const std::filesystem::path& file) {
    std::error_code ec;
    if (!state.openWorkbooks || !state.writeWorkbooks || !std::filesystem::is_regular_file(file, ec)) return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(file.string())));
}

// Opens `file` once `saved` says the workbook was written; returns `saved`.
inline Status openedWhenSaved(const ProgramState& state, Status saved, const std::filesystem::path& file) {
    if (saved) openSavedWorkbook(state, file);
    return saved;
}

} // namespace trakmora
