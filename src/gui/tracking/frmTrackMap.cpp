#include "gui/tracking/frmTrackMap.h"

#include "explain/ExplainPicture.h"
#include "gui/QtText.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace trakmora {
namespace {

QPointF point(const PixelPoint& p) {
    return {p.x, p.y};
}

} // namespace

frmTrackMap::frmTrackMap(QWidget* parent)
    : QWidget(parent), chooser_(new QWidget(this)), competitors_(new QComboBox(chooser_)),
      previous_(new QPushButton("< Previous control", this)), next_(new QPushButton("Next control >", this)),
      caption_(new QLabel(this)) {
    auto* choice = new QHBoxLayout(chooser_);
    choice->setContentsMargins(0, 0, 0, 0);
    choice->addWidget(new QLabel(QStringLiteral("Competitor"), chooser_));
    choice->addWidget(competitors_);
    choice->addStretch();
    chooser_->setVisible(false);
    competitors_->setToolTip(QStringLiteral("The competitors of the day whose scoring files were kept"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(previous_);
    buttons->addStretch();
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chooser_);
    layout->addStretch(1); // the map is painted over this space
    layout->addWidget(caption_);
    layout->addLayout(buttons);
    caption_->setWordWrap(true);
    setMinimumSize(260, 300);
    connect(previous_, &QPushButton::clicked, this, [this] { showScene(current_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showScene(current_ + 1); });
    connect(competitors_, &QComboBox::activated, this, &frmTrackMap::showCompetitor);
    showScene(-1);
}

void frmTrackMap::setScenes(std::vector<ExplainScene> scenes) {
    scenes_ = std::move(scenes);
    showScene(scenes_.empty() ? -1 : 0);
}

void frmTrackMap::setCompetitors(std::vector<int> competitors, int day, int shown, SceneLoader load) {
    day_ = day;
    load_ = std::move(load);
    competitors_->clear();
    for (int no : competitors)
        competitors_->addItem(QString::number(no), no);
    chooser_->setVisible(!competitors.empty());
    const auto at = std::find(competitors.begin(), competitors.end(), shown);
    showCompetitor(competitors.empty()       ? -1
                   : at == competitors.end() ? 0
                                             : static_cast<int>(at - competitors.begin()));
}

void frmTrackMap::showCompetitor(int index) {
    competitors_->setCurrentIndex(index);
    competitor_ = index < 0 ? 0 : competitors_->itemData(index).toInt();
    std::vector<ExplainScene> scenes;
    Status loaded;
    if (competitor_ > 0 && load_) loaded = load_(competitor_, scenes);
    setWindowTitle(competitor_ > 0
                       ? QStringLiteral("Track map: competitor %1, day %2").arg(competitor_).arg(day_)
                       : QStringLiteral("Track map: day %1").arg(day_));
    setScenes(std::move(scenes));
    if (!loaded) caption_->setText(qText(loaded.message()));
}

void frmTrackMap::showScene(int index) {
    if (scenes_.empty())
        index = -1;
    else
        index = std::clamp(index, 0, static_cast<int>(scenes_.size()) - 1);
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
    const int top = chooser_->isVisibleTo(this) ? chooser_->geometry().bottom() + 5 : 0;
    const int bottom = caption_->geometry().top() - 4;
    return {0, top, width(), std::max(bottom - top, 10)};
}

void frmTrackMap::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect area = mapRect();
    // Fixes far from the control would otherwise be painted over the caption and the buttons.
    p.setClipRect(area);
    p.fillRect(area, Qt::white);
    if (current_ < 0) {
        p.drawText(area, Qt::AlignCenter, "No control to show");
        return;
    }
    const ExplainScene& scene = scenes_[static_cast<std::size_t>(current_)];
    const ExplainGeometry g = explainGeometry(scene, area.width(), area.height(), 20);
    p.translate(area.topLeft());
    p.setRenderHint(QPainter::Antialiasing);

    p.setPen(QPen(QColor(40, 110, 220), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(point(g.control), g.circleRadius, g.circleRadius);
    // The other logger of a pair, faint under the track that timed the control.
    const QColor other(160, 195, 235);
    p.setPen(QPen(other, 2));
    for (std::size_t i = 1; i < g.otherTrack.size(); ++i)
        if (g.otherJoined[i]) p.drawLine(point(g.otherTrack[i - 1]), point(g.otherTrack[i]));
    p.setPen(Qt::NoPen);
    p.setBrush(other);
    for (const auto& f : g.otherTrack)
        p.drawEllipse(point(f), 2, 2);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(150, 150, 150), 2));
    for (std::size_t i = 1; i < g.track.size(); ++i)
        if (g.joined[i]) p.drawLine(point(g.track[i - 1]), point(g.track[i]));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 60, 60));
    for (const auto& f : g.track)
        p.drawEllipse(point(f), 2.5, 2.5);

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
