#include "app/frmHome.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace trakmora;

class HomeTest : public QObject {
    Q_OBJECT
private slots:
    void secondInstanceOnTheSameDataRootEnds() {
        QTemporaryDir root;
        frmHome first(root.path().toStdString());
        QVERIFY(first.startUp());
        frmHome second(root.path().toStdString());
        QVERIFY(!second.startUp());
        QTemporaryDir other;
        frmHome third(other.path().toStdString());
        QVERIFY(third.startUp());
        QCOMPARE(first.windowTitle(), QStringLiteral("Version:Ver4 ( July 2024 )"));
    }
};

QTEST_MAIN(HomeTest)
#include "home_guitest.moc"
