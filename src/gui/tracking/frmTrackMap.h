#pragma once
// The track map of the individual scoring screen: the plan view of the competitor's fixes around
// one control (the same geometry as the explain picture), with two buttons stepping through the
// controls of the competitor and, over the map, a choice of the competitors of the day whose
// scoring files were kept. The screen hands it the scenes (or how to read a competitor's scenes)
// and it only paints.
#include "common/Status.h"
#include "explain/ExplainData.h"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace trakmora {

class frmTrackMap : public QWidget {
public:
    // Reads the scenes of one competitor of the day (loadExplainScenes).
    using SceneLoader = std::function<Status(int competitorNo, std::vector<ExplainScene>& scenes)>;

    explicit frmTrackMap(QWidget* parent = nullptr);

    // Shows the first scene; an empty list clears the map.
    void setScenes(std::vector<ExplainScene> scenes);
    int currentIndex() const { return current_; }
    void showScene(int index);

    // The competitors of `day` to choose from (none hides the choice) and the one shown now (the
    // first when `shown` is not among them); `load` reads the scenes of the one chosen.
    void setCompetitors(std::vector<int> competitors, int day, int shown, SceneLoader load);
    // The competitor whose scenes are shown; 0 before any was chosen.
    int competitor() const { return competitor_; }

    QPushButton* previousButton() const { return previous_; }
    QPushButton* nextButton() const { return next_; }
    QLabel* captionLabel() const { return caption_; }
    QComboBox* competitorBox() const { return competitors_; }
    // Where the map is painted: between the choice of competitor and the caption. Nothing of the
    // map is drawn outside it.
    QRect mapRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void showCompetitor(int index);

    std::vector<ExplainScene> scenes_;
    int current_ = -1;
    int day_ = 0;
    int competitor_ = 0;
    SceneLoader load_;
    QWidget* chooser_;
    QComboBox* competitors_;
    QPushButton* previous_;
    QPushButton* next_;
    QLabel* caption_;
};

} // namespace trakmora
