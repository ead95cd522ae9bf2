#include "tracking/frmTrackMap.h"

#include "app/QtText.h"
#include "tracking/ExplainPicture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace trakmora {
namespace {

QPointF point(const PixelPoint& p) { return {p.x, p.y}; }

} // namespace

frmTrackMap::frmTrackMap(QWidget* parent)
    : QWidget(parent), previous_(new QPushButton("< Previous control", this)),
      next_(new QPushButton("Next control >", this)), caption_(new QLabel(this)) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(previous_);
    buttons->addStretch();
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1); // the map is painted over this space
    layout->addWidget(caption_);
    layout->addLayout(buttons);
    caption_->setWordWrap(true);
    setMinimumSize(260, 300);
    connect(previous_, &QPushButton::clicked, this, [this] { showScene(current_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showScene(current_ + 1); });
    showScene(-1);
}

void frmTrackMap::setScenes(std::vector<ExplainScene> scenes) {
    scenes_ = std::move(scenes);
    showScene(scenes_.empty() ? -1 : 0);
}

void frmTrackMap::showScene(int index) {
    if (scenes_.empty()) index = -1;
    else index = std::clamp(index, 0, static_cast<int>(scenes_.size()) - 1);
    current_ = index;
    previous_->setEnabled(index > 0);
    next_->setEnabled(index >= 0 && index + 1 < static_cast<int>(scenes_.size()));
    QString text;
    if (index >= 0)
        for (const auto& line : explainCaption(scenes_[static_cast<std::size_t>(index)]))
            text += (text.isEmpty() ? "" : "\n") + qText(line);
    caption_->setText(text);
    update();
}

QRect frmTrackMap::mapRect() const {
    const int bottom = caption_->geometry().top() - 4;
    return {0, 0, width(), std::max(bottom, 10)};
}

void frmTrackMap::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = mapRect();
    p.fillRect(area, Qt::white);
    if (current_ < 0) {
        p.drawText(area, Qt::AlignCenter, "No control to show");
        return;
    }
    const ExplainScene& scene = scenes_[static_cast<std::size_t>(current_)];
    const ExplainGeometry g = explainGeometry(scene, area.width(), area.height(), 20);
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(QPen(QColor(40, 110, 220), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(point(g.control), g.circleRadius, g.circleRadius);
    p.setPen(QPen(QColor(150, 150, 150), 2));
    for (std::size_t i = 1; i < g.track.size(); ++i)
        if (g.joined[i]) p.drawLine(point(g.track[i - 1]), point(g.track[i]));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    for (const auto& f : g.track) p.drawEllipse(point(f), 2.5, 2.5);

    const QColor candidate(240, 140, 0);
    if (g.hasFirst && g.hasSecond) {
        p.setPen(QPen(candidate, 1, Qt::DashLine));
        p.drawLine(point(g.first), point(g.second));
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(candidate, 3));
    if (g.hasFirst) p.drawEllipse(point(g.first), 7, 7);
    if (g.hasSecond) p.drawEllipse(point(g.second), 7, 7);

    const QColor red(210, 30, 30);
    p.setPen(QPen(red, 3));
    p.drawLine(point(g.control) + QPointF(-8, -8), point(g.control) + QPointF(8, 8));
    p.drawLine(point(g.control) + QPointF(-8, 8), point(g.control) + QPointF(8, -8));
    p.drawText(point(g.control) + QPointF(12, 18), QString("CP %1").arg(scene.controlNo));
    if (g.hasPassage) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 160, 60));
        p.drawEllipse(point(g.passage), 5.5, 5.5);
    }
}

} // namespace trakmora
