#pragma once
// The track map of the individual scoring screen: the plan view of the competitor's fixes around
// one control (the same geometry as the explain picture), with two buttons stepping through the
// controls of the scored competitor. The screen hands it the scenes (loadExplainScene per control)
// and it only paints.
#include "tracking/ExplainData.h"

#include <QWidget>

#include <vector>

class QPushButton;
class QLabel;

namespace trakmora {

class frmTrackMap : public QWidget {
public:
    explicit frmTrackMap(QWidget* parent = nullptr);

    // Shows the first scene; an empty list clears the map.
    void setScenes(std::vector<ExplainScene> scenes);
    int currentIndex() const { return current_; }
    void showScene(int index);

    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QLabel* captionLabel() const { return caption_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect mapRect() const;

    std::vector<ExplainScene> scenes_;
    int current_ = -1;
    QPushButton* previous_;
    QPushButton* next_;
    QLabel* caption_;
};

} // namespace trakmora
