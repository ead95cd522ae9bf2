#include "gui/StatusLine.h"

#include <QTimer>

namespace trakmora {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent), clear_(new QTimer(this)) {
    setObjectName(QStringLiteral("statusLine"));
    setStyleSheet(QStringLiteral("color: #1f5f1f;"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setMinimumHeight(fontMetrics().height());
    clear_->setSingleShot(true);
    connect(clear_, &QTimer::timeout, this, [this] {
        clear();
        setToolTip({});
    });
}

void StatusLine::showFor(const QString& text, int ms) {
    setText(text);
    clear_->start(ms);
}

void StatusLine::showSaved(const std::vector<std::filesystem::path>& files, const QString& extra) {
    QStringList names, paths;
    for (const std::filesystem::path& f : files) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(f, ec)) continue;
        names << QString::fromStdString(f.filename().string());
        paths << QString::fromStdString(f.string());
    }
    QString text = names.isEmpty() ? QString() : QStringLiteral("Saved ") + names.join(QStringLiteral(", "));
    if (!extra.isEmpty()) text += (text.isEmpty() ? QString() : QStringLiteral(". ")) + extra;
    showFor(text);
    setToolTip(paths.join(QLatin1Char('\n')));
}

} // namespace trakmora
