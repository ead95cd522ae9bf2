#include "gui/schedule/frmScheduleChart.h"

#include <QPainter>

#include <algorithm>

namespace trakmora {

namespace {

const QColor kBarColours[] = {QColor(), QColor(0xd9, 0x53, 0x4f), QColor(0x3b, 0x7d, 0xd8),
                              QColor(0x4c, 0xae, 0x4f), QColor(0xe0, 0x9b, 0x24)};
const char* const kCaptions[] = {"", "AAA", "BBB", "CCC", "DDD"};
constexpr int kMinRowHeight = 18;
constexpr int kMaxRowHeight = 28;
constexpr int kRowGap = 6;

} // namespace

frmScheduleChart::frmScheduleChart(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(4 * (kMinRowHeight + kRowGap) + kRowGap);
    setMaximumHeight(4 * (kMaxRowHeight + kRowGap) + kRowGap);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void frmScheduleChart::setWindow(const PassingWindowView& view) {
    view_ = view;
    update();
}

void frmScheduleChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    if (!view_.present) return;
    QFont font = p.font();
    font.setBold(true);
    p.setFont(font);
    // The four rows share the height, so a bar keeps its row whether or not other groups are in use.
    const int rowHeight = std::clamp((height() - 5 * kRowGap) / 4, kMinRowHeight, kMaxRowHeight);
    for (int g = 1; g <= 4; ++g) {
        const ChartBar& bar = view_.bars[static_cast<std::size_t>(g)];
        if (!bar.shown) continue;
        const PixelSpan span = scaleBar(bar, width() - 2);
        const QRect box(1 + span.left, kRowGap + (g - 1) * (rowHeight + kRowGap), std::max(span.width, 1),
                        rowHeight);
        p.fillRect(box, kBarColours[g]);
        p.setPen(Qt::white);
        p.drawText(box, Qt::AlignCenter, QString::fromLatin1(kCaptions[g]));
    }
}

} // namespace trakmora
