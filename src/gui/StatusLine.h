#pragma once
// A line at the foot of a screen that says for a few seconds what the last action wrote, so that
// no file is written silently.
#include <QLabel>

#include <filesystem>
#include <vector>

class QTimer;

namespace trakmora {

class StatusLine : public QLabel {
    Q_OBJECT
public:
    static constexpr int kShownMs = 6000;

    explicit StatusLine(QWidget* parent = nullptr);

    // Shows `text` for `ms` milliseconds, then clears it.
    void showFor(const QString& text, int ms = kShownMs);
    // "Saved <file name>, <file name>": the files that exist of `files` (a workbook is missing with
    // --no-workbooks), with their full paths as the tooltip. `extra` follows after a full stop.
    void showSaved(const std::vector<std::filesystem::path>& files, const QString& extra = {});
    QTimer* clearTimer() const { return clear_; }

private:
    QTimer* clear_;
};

} // namespace trakmora
