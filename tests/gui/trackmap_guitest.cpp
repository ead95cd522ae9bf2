#include "explain/ExplainPicture.h"
#include "gui/tracking/frmTrackMap.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace trakmora;

namespace {

// Control n at (51 + n/1000, 12) with one fix 50 m south and one 50 m north of it.
ExplainScene scene(int controlNo) {
    ExplainScene s;
    s.day = 1;
    s.competitorNo = 7;
    s.controlNo = controlNo;
    s.controlLat = 51 + controlNo / 1000.0;
    s.controlLon = 12;
    const double d = 50 / kMetresPerDegree;
    s.first = {10, s.controlLat - d, 12, 36000};
    s.second = {11, s.controlLat + d, 12, 36010};
    s.track = {s.first, s.second};
    s.hasFirst = s.hasSecond = s.hasPassage = true;
    s.passageLat = s.controlLat;
    s.passageLon = 12;
    s.passageTime = 36005;
    s.idealTime = 36000;
    s.score = -5;
    s.inside = true;
    return s;
}

} // namespace

class TrackMapTest : public QObject {
    Q_OBJECT
private slots:
    void stepsThroughTheControls() {
        frmTrackMap map;
        map.resize(400, 500);
        QCOMPARE(map.currentIndex(), -1);
        QVERIFY(!map.previousButton()->isEnabled() && !map.nextButton()->isEnabled());
        map.setScenes({scene(1), scene(2), scene(3)});
        QCOMPARE(map.currentIndex(), 0);
        QVERIFY(!map.previousButton()->isEnabled());
        QVERIFY(map.captionLabel()->text().contains("CONTROL 1"));
        QTest::mouseClick(map.nextButton(), Qt::LeftButton);
        QTest::mouseClick(map.nextButton(), Qt::LeftButton);
        QCOMPARE(map.currentIndex(), 2);
        QVERIFY(!map.nextButton()->isEnabled());
        QVERIFY(map.captionLabel()->text().contains("DEVIATION -5 S (LATE)"));
        QTest::mouseClick(map.previousButton(), Qt::LeftButton);
        QCOMPARE(map.currentIndex(), 1);
    }

    // The painted map follows the shared geometry: the window circle's leftmost point is blue.
    void paintsTheWindowCircle() {
        frmTrackMap map;
        map.resize(400, 500);
        map.setScenes({scene(1)});
        map.show();
        QVERIFY(QTest::qWaitForWindowExposed(&map));
        const QImage image = map.grab().toImage();
        const QRect area(0, 0, map.width(), map.captionLabel()->geometry().top() - 4);
        const ExplainGeometry g = explainGeometry(scene(1), area.width(), area.height(), 20);
        const QPoint left(static_cast<int>(std::lround(g.control.x - g.circleRadius)),
                          static_cast<int>(g.control.y));
        QCOMPARE(image.pixelColor(left).blue(), 220);
        QCOMPARE(
            image.pixelColor(QPoint(static_cast<int>(g.control.x) + 20, static_cast<int>(g.control.y) - 40)),
            QColor(Qt::white));
    }

    // A track running kilometres past the control on both sides is cut at the edge of the map:
    // below it, caption and buttons look exactly as with a track that stays near the control.
    void theTrackNeverRunsOverTheCaptionOrButtons() {
        ExplainScene far = scene(1);
        far.track.clear();
        for (int i = -30; i <= 30; ++i)
            far.track.push_back({100.0 + i, far.controlLat + i * 100 / kMetresPerDegree, 12, 36000.0 + i});
        QImage images[2];
        QRect area;
        for (int k = 0; k < 2; ++k) {
            frmTrackMap map;
            map.resize(400, 500);
            map.setScenes({k == 0 ? scene(1) : far});
            map.show();
            QVERIFY(QTest::qWaitForWindowExposed(&map));
            images[k] = map.grab().toImage();
            area = map.mapRect();
            QVERIFY(area.bottom() < map.captionLabel()->geometry().top());
            QVERIFY(area.bottom() < map.previousButton()->geometry().top());
        }
        const ExplainGeometry g = explainGeometry(far, area.width(), area.height(), 20);
        const int x = static_cast<int>(std::lround(g.control.x));
        // The far track reaches the map's last row, and nothing of it goes further.
        QVERIFY(images[1].pixelColor(x, area.bottom()) != QColor(Qt::white));
        QCOMPARE(images[0].pixelColor(x, area.bottom()), QColor(Qt::white));
        for (int y = area.bottom() + 1; y < images[0].height(); ++y)
            for (int px = 0; px < images[0].width(); ++px)
                if (images[0].pixel(px, y) != images[1].pixel(px, y))
                    QFAIL(
                        qPrintable(QStringLiteral("the track shows at %1,%2 below the map").arg(px).arg(y)));
    }
};

QTEST_MAIN(TrackMapTest)
#include "trackmap_guitest.moc"
