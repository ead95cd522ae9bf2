// The route schedule screen and its print menu driven like the organiser would: day selection,
// browsing, editing field by field with Tab and the function keys, row actions, printing.
// With TRAKMORA_SCREENSHOTS set, pictures of the browse, edit and chart states are saved.
#include "gui/ScreenCheck.h"
#include "gui/ScreenPlacement.h"
#include "gui/StatusLine.h"
#include "gui/frmHome.h"
#include "gui/schedule/frmPrint.h"
#include "gui/schedule/frmRouteSchedule.h"
#include "gui/schedule/frmScheduleChart.h"
#include "reports/RouteScheduleWorkbooks.h"
#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"
#include "support/RallyFixture.h"
#include "workspace/ConfigFile.h"
#include "workspace/Workspace.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>

using namespace trakmora;

namespace {

// Five lines of day 1: line n at 3 (n - 1) km, limit 60 + n; line 4 a virtual control.
const char* const kFiveLines =
    "1,\"Start at the town hall\",\"o\",0,60,60,60,60,61,0.0833333333333333,0,0,0,0,0\r\n"
    "2,\"Left at the church\",\"o\",3,60,60,60,60,62,0,0,0,0,0,0\r\n"
    "3,\"Right over the bridge\",\"f\",6,50,50,50,50,63,0,0,0,0,0,0\r\n"
    "4,\"Control at the mill\",\"v\",9,50,50,50,50,64,0,0,0,0,-33.86512,151.20993\r\n"
    "5,\"Finish at the show ground\",\"o\",15,60,60,60,60,65,0,0,0,0,0,0\r\n";

struct Bench : test::TestRally {
    std::unique_ptr<frmRouteSchedule> screen;

    // A rally of `days` days and `groups` speed groups with baseline B, and the five lines above
    // as day 1 when `withData`.
    explicit Bench(int days = 2, int groups = 2, bool withData = true)
        : TestRally("Spring Run 2024", "Spring") {
        configure([&](RallyConfig& c) {
            c.noOfDays = days;
            c.noOfSpeedGroups = groups;
            c.baselineSpeedGroup = 2;
        });
        if (withData) writeSchedule(1, kFiveLines);
        screen = std::make_unique<frmRouteSchedule>(state);
        screen->show();
        screen->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void click(const char* caption) {
        QPushButton* b = screen->button(caption);
        QVERIFY2(b, caption);
        QVERIFY2(b->isEnabled(), caption);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Day 1 loaded, then the current line moved to `line` and edit mode on.
    void editLine(int line) {
        click("Select Day");
        click("Load Data");
        for (int i = 1; i < line; ++i)
            click("Next");
        click("Edit");
    }
    QLineEdit* field(EditField f) { return screen->field(f); }
    void focus(EditField f) {
        field(f)->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCOMPARE(screen->currentField(), f);
    }
    void keys(EditField f, Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(field(f), key);
    }
    QStringList enabledButtons() const {
        QStringList on;
        for (const char* c : {"Select Day", "Load Data", "Previous", "Next", "Edit", "Insert row",
                              "Delete row", "Add row", "Save", "Print ", "Exit"})
            if (screen->button(c)->isEnabled()) on << c;
        return on;
    }
    QString windowCell(int row, int column) const {
        const QTableWidgetItem* item = screen->lineWindow()->item(row, column);
        return item ? item->text() : QString();
    }
    const ScheduleLine& line(int n) const { return state.schedule.line(n); }
};

} // namespace

class RouteScheduleTest : public QObject {
    Q_OBJECT
private slots:
    void homeMenuOpensTheScreen() {
        test::TestRally rally("Spring Run 2024", "Spring");
        RecordingMessages& messages = rally.messages;
        frmHome home(rally.root.path(), &messages);
        QVERIFY(home.startUp());
        home.openRally("Spring");
        home.menuEntry("Route Schedule")->trigger();
        auto* screen = home.findChild<frmRouteSchedule*>();
        QVERIFY(screen && screen->isVisible());
        QCOMPARE(screen->windowTitle(), QStringLiteral("Route Schedule"));
        QCOMPARE(screen->rallyLabel()->text(), QStringLiteral("Rally: Spring Run 2024"));
    }

    void selectDayWrapsAndOneDayIsLoadedPerVisit() {
        Bench b(2, 2, false);
        QCOMPARE(b.enabledButtons(), (QStringList{"Select Day", "Exit"}));
        QStringList days;
        for (int i = 0; i < 3; ++i) {
            b.click("Select Day");
            days << b.screen->dayLabel()->text();
        }
        QCOMPARE(days, (QStringList{"Day: 1", "Day: 2", "Day: 1"}));
        b.click("Load Data"); // day 1 has no file: the template
        QCOMPARE(b.messages.texts, std::vector<std::string>{"No data to load"});
        QCOMPARE(b.enabledButtons(), (QStringList{"Previous", "Next", "Edit", "Print ", "Exit"}));
        QCOMPARE(b.windowCell(3, 1), QStringLiteral("Start of Rally - edit this line"));
        QVERIFY(std::filesystem::exists(scheduleDataFile(b.state, 1)));

        b.click("Exit");
        QCOMPARE(b.state.rally.selectedDay, 1);
        QVERIFY(!b.screen->isVisible());
    }

    void previousAndNextStopAtTheEnds() {
        Bench b;
        b.click("Select Day");
        b.click("Load Data");
        b.click("Previous");
        QCOMPARE(b.state.schedule.currentLine, 1);
        QCOMPARE(b.screen->lineCaption()->text(), QStringLiteral("1"));
        for (int r = 0; r < 3; ++r)
            QCOMPARE(b.windowCell(r, 0), QString());
        QCOMPARE(b.windowCell(3, 0), QStringLiteral("1"));
        QCOMPARE(b.screen->spreadLabel()->text(), QStringLiteral("Spread = 30 minutes"));
        for (int i = 0; i < 6; ++i)
            b.click("Next");
        QCOMPARE(b.state.schedule.currentLine, 5);
        QCOMPARE(b.windowCell(3, 1), QStringLiteral("Finish at the show ground"));
        QCOMPARE(b.windowCell(4, 0), QString());
        QCOMPARE(b.screen->spreadLabel()->text(), QString()); // no following line
        QVERIFY(!b.screen->chart()->window().present);
        // Only the two groups in use have columns and fields.
        QVERIFY(b.screen->lineWindow()->isColumnHidden(6) && b.screen->lineWindow()->isColumnHidden(7));
        QVERIFY(!b.screen->lineWindow()->isColumnHidden(5));
        QVERIFY(!b.field(EditField::SpeedC)->isVisible() && !b.field(EditField::AddTimeD)->isVisible());
        QVERIFY(b.field(EditField::SpeedB)->isVisible() && !b.screen->runningTime(3)->isVisible());
        // Group A: 6 km at 60 km/h, 9 km at 60 x 50 / 70 km/h, and line 1's 5 seconds.
        QCOMPARE(b.screen->runningTime(1)->text(), QStringLiteral("00:18:41"));
    }

    void editStateOpensFieldsByLineType() {
        Bench b;
        b.editLine(4); // a virtual control
        QCOMPARE(b.enabledButtons(), (QStringList{"Insert row", "Delete row", "Add row", "Save"}));
        QVERIFY(b.field(EditField::Instruction)->hasFocus());
        b.focus(EditField::Type);
        QVERIFY(b.field(EditField::Latitude)->isEnabled());
        QVERIFY(!b.field(EditField::SpeedB)->isEnabled());
        QVERIFY(!b.field(EditField::AddTimeA)->isEnabled());
        QCOMPARE(b.screen->hintPanel()->text().split('\n').size(), 5);
        b.keys(EditField::Type, Qt::Key_F2); // now an "o" line
        QCOMPARE(b.field(EditField::Type)->text(), QStringLiteral("o"));
        b.focus(EditField::Distance);
        QVERIFY(b.field(EditField::SpeedB)->isEnabled());
        QVERIFY(!b.field(EditField::SpeedA)->isEnabled());
        QVERIFY(!b.field(EditField::Latitude)->isEnabled());
        QVERIFY(b.screen->hintPanel()->text().isEmpty());

        // A mouse click on a box sends the organiser back to the instruction.
        QTest::mouseClick(b.field(EditField::Limit), Qt::LeftButton);
        QCOMPARE(b.messages.texts,
                 std::vector<std::string>{"Use TAB or Shift-TAB to navigate through EDIT fields"});
        QVERIFY(b.field(EditField::Instruction)->hasFocus());

        b.click("Save");
        QCOMPARE(b.enabledButtons(), (QStringList{"Previous", "Next", "Edit", "Print ", "Exit"}));
        QVERIFY(!b.field(EditField::Instruction)->isEnabled());
        std::vector<ScheduleLine> saved;
        QVERIFY(readScheduleDataFile(scheduleDataFile(b.state, 1), saved));
        QCOMPARE(saved[3].type, std::string("o"));
    }

    void aFailedSaveKeepsTheEditsAndEditMode() {
        Bench b;
        b.editLine(2);
        b.keys(EditField::Instruction, Qt::Key_End); // the field opens with its text selected
        QTest::keyClicks(b.field(EditField::Instruction), " twice");
        std::filesystem::remove_all(b.state.rallyFolder(RallyFolder::RouteSchedule));
        b.click("Save");
        QCOMPARE(b.messages.texts.size(), std::size_t{1});
        QVERIFY(b.screen->editing());
        QVERIFY(b.screen->button("Save")->isEnabled());
        QCOMPARE(b.line(2).instruction, std::string("Left at the church twice"));
    }

    void theBaselineGroupStaysInViewWithFewerGroupsInUse() {
        Bench b(2, 1); // one speed group in use, baseline B
        b.editLine(1);
        QVERIFY(b.field(EditField::SpeedB)->isVisible());
        QVERIFY(b.field(EditField::SpeedB)->isEnabled());
        QVERIFY(!b.field(EditField::SpeedC)->isVisible());
        QVERIFY(b.field(EditField::SpeedA)->isVisible());
    }

    void anotherScreensDayNeverReceivesThisDaysLines() {
        Bench b(3);
        b.editLine(2);
        b.keys(EditField::Instruction, Qt::Key_End);
        QTest::keyClicks(b.field(EditField::Instruction), " twice");
        // The individual scoring screen opens meanwhile and selects day 3.
        b.state.rally.selectedDay = 3;
        b.click("Save");
        QVERIFY(!std::filesystem::exists(scheduleDataFile(b.state, 3)));
        std::vector<ScheduleLine> saved;
        QVERIFY(readScheduleDataFile(scheduleDataFile(b.state, 1), saved));
        QCOMPARE(saved.at(1).instruction, std::string("Left at the church twice"));

        b.click("Print ");
        frmPrint* menu = b.screen->printMenu();
        QVERIFY(menu);
        b.state.rally.selectedDay = 3;
        QTest::mouseClick(menu->button("Print Virtual Marshal Schedule"), Qt::LeftButton);
        QVERIFY(std::filesystem::exists(controlFilePath(b.state, 1)));
        QVERIFY(!std::filesystem::exists(controlFilePath(b.state, 3)));
    }

    void closingWhileEditingAsksWhetherToSave() {
        for (const bool save : {true, false}) {
            Bench b;
            b.messages.setAnswer(save);
            b.editLine(1);
            b.keys(EditField::Instruction, Qt::Key_End);
            QTest::keyClicks(b.field(EditField::Instruction), " now");
            b.screen->close();
            QCOMPARE(b.messages.questions.size(), std::size_t{1});
            b.screen.reset();
            QCOMPARE(b.line(1).instruction,
                     std::string("Start at the town hall now")); // typed text stays in memory
            std::vector<ScheduleLine> saved;
            QVERIFY(readScheduleDataFile(scheduleDataFile(b.state, 1), saved));
            QCOMPARE(saved.at(0).instruction,
                     std::string(save ? "Start at the town hall now" : "Start at the town hall"));
        }
        // A save that fails keeps the screen open in edit mode.
        Bench b;
        b.editLine(1);
        std::filesystem::remove_all(b.state.rallyFolder(RallyFolder::RouteSchedule));
        b.screen->close();
        QVERIFY(b.screen->isVisible());
        QVERIFY(b.screen->editing());
    }

    void distanceEntryFollowsTheDistanceRule() {
        struct Case {
            double previousKm;
            const char* shown;
            double stored;
        };
        for (const Case& c : {Case{3, "12.34", 12.34}, Case{15, "15.00", 15}}) {
            Bench b;
            b.editLine(2);
            b.state.schedule.line(1).distance = c.previousKm;
            b.focus(EditField::Distance);
            QCOMPARE(b.field(EditField::Distance)->text(), QStringLiteral("300")); // the stored 3 km
            b.field(EditField::Distance)->selectAll();
            QTest::keyClicks(b.field(EditField::Distance), "12.34"); // the point is refused
            QCOMPARE(b.field(EditField::Distance)->text(), QStringLiteral("1234"));
            QCOMPARE(b.screen->distanceBox()->text(), QStringLiteral("12.34"));
            b.keys(EditField::Distance, Qt::Key_Tab);
            QCOMPARE(b.screen->currentField(), EditField::Limit);
            QCOMPARE(b.line(2).distance, c.stored);
            QCOMPARE(b.screen->distanceBox()->text(), QString::fromLatin1(c.shown));
        }
    }

    void aTypedDistanceStaysWithItsLineAcrossARowAction() {
        Bench b;
        b.editLine(3);
        b.focus(EditField::Distance);
        QTest::keyClicks(b.field(EditField::Distance), "999");
        b.click("Insert row");
        QCOMPARE(b.field(EditField::Distance)->text(), QStringLiteral("300")); // the inserted line's
        b.keys(EditField::Distance, Qt::Key_Tab);
        QCOMPARE(b.line(3).distance, 3.0);
        QCOMPARE(b.line(4).distance, 9.99);
    }

    void aDamagedFileIsReportedAndCanBeLoadedAgain() {
        Bench b(2, 2, false);
        b.writeSchedule(1, "1,\"Start\",\"o\",zero,60,60,60,60,120,0,0,0,0,0,0\r\n");
        b.click("Select Day");
        b.click("Load Data");
        QCOMPARE(b.messages.texts.size(), std::size_t{1});
        QVERIFY(b.messages.texts[0].find("RS1_Data.csv") != std::string::npos);
        QCOMPARE(b.enabledButtons(), (QStringList{"Select Day", "Load Data", "Exit"}));
        b.writeSchedule(1, kFiveLines);
        b.click("Load Data");
        QCOMPARE(b.state.schedule.lineCount, 5);
        QVERIFY(b.screen->button("Edit")->isEnabled());
    }

    void passingThroughAnEntryBoxKeepsTheValue() {
        Bench b;
        b.editLine(4);
        b.focus(EditField::Latitude);
        b.keys(EditField::Latitude, Qt::Key_Tab);
        b.keys(EditField::Longitude, Qt::Key_Backtab);
        QCOMPARE(b.line(4).lat, -33.86512);
        QCOMPARE(b.line(4).lon, 151.20993);
    }

    void addedTimeKeysStepMirrorAndClamp() {
        Bench b(2, 2);
        b.editLine(2);
        b.focus(EditField::AddTimeB);
        b.keys(EditField::AddTimeB, Qt::Key_F2, 3);
        QCOMPARE(b.field(EditField::AddTimeB)->text(), QStringLiteral("00:03:00"));
        for (std::size_t g = 2; g <= 4; ++g)
            QCOMPARE(b.line(2).addTime[g], 3.0);
        QCOMPARE(b.line(2).addTime[1], 0.0);
        QVERIFY(b.screen->hintPanel()->text().startsWith("F1  Add 10 seconds"));

        b.click("Save");
        b.click("Previous");
        b.click("Edit");
        b.focus(EditField::AddTimeA);
        QCOMPARE(b.field(EditField::AddTimeA)->text(), QStringLiteral("00:00:05"));
        b.keys(EditField::AddTimeA, Qt::Key_F4);
        QCOMPARE(b.field(EditField::AddTimeA)->text(), QStringLiteral("00:00:00"));
        QCOMPARE(b.line(1).addTime[1], 0.0);
        QTest::keyClicks(b.field(EditField::AddTimeA), "12"); // not typed
        QCOMPARE(b.field(EditField::AddTimeA)->text(), QStringLiteral("00:00:00"));
        b.keys(EditField::AddTimeA, Qt::Key_F3, 25);
        QCOMPARE(b.field(EditField::AddTimeA)->text(), QStringLiteral("02:00:00"));
        QCOMPARE(b.line(1).addTime[1], 120.0);
    }

    void refusedKeysInTheInstruction() {
        Bench b;
        b.editLine(1);
        QLineEdit* box = b.field(EditField::Instruction);
        box->clear();
        QTest::keyClicks(box, "Turn 'left', \"now\"");
        QCOMPARE(box->text(), QStringLiteral("Turn left now"));
        b.keys(EditField::Instruction, Qt::Key_Tab);
        QCOMPARE(b.line(1).instruction, std::string("Turn left now"));
        b.focus(EditField::SpeedB);
        b.field(EditField::SpeedB)->clear();
        QTest::keyClicks(b.field(EditField::SpeedB), "7a-5");
        QCOMPARE(b.field(EditField::SpeedB)->text(), QStringLiteral("75"));
        b.keys(EditField::SpeedB, Qt::Key_Backspace);
        b.keys(EditField::SpeedB, Qt::Key_Tab);
        QCOMPARE(b.line(1).speed[2], 7.0);
        QCOMPARE(b.line(1).speed[1], 7.0); // an "o" line: propagated to A
    }

    void rowActions() {
        Bench b;
        b.editLine(3);
        b.click("Insert row");
        QCOMPARE(b.state.schedule.lineCount, 6);
        QCOMPARE(b.windowCell(3, 1), QStringLiteral("line inserted"));
        QCOMPARE(b.windowCell(3, 2), QStringLiteral("o"));
        QCOMPARE(b.windowCell(4, 1), QStringLiteral("Right over the bridge"));
        QCOMPARE(b.line(4).limit, 63.0);
        QCOMPARE(b.field(EditField::Instruction)->text(), QStringLiteral("line inserted"));

        b.click("Save");
        for (int i = 0; i < 5; ++i)
            b.click("Next");
        b.click("Edit");
        b.click("Delete row");
        QCOMPARE(b.state.schedule.lineCount, 5);
        QCOMPARE(b.state.schedule.currentLine, 5);
        QCOMPARE(b.windowCell(3, 1), QStringLiteral("Control at the mill"));
        b.click("Add row");
        QCOMPARE(b.state.schedule.lineCount, 6);
        QCOMPARE(b.line(6).instruction, std::string("line added"));

        b.state.schedule.lineCount = kMaxScheduleLines;
        b.click("Add row");
        QCOMPARE(b.messages.texts.size(), std::size_t{1});
        QCOMPARE(b.state.schedule.lineCount, kMaxScheduleLines);
    }

    void printButtonsWriteTheControlFilesAndClose() {
        struct Seen : RecordingMessages {
            QLabel* writing = nullptr;
            bool shownDuringWork = false;
            void info(const std::string& text) override {
                if (writing) shownDuringWork = writing->isVisible();
                RecordingMessages::info(text);
            }
        };
        QTemporaryDir root;
        Seen messages;
        ProgramState state{root.path().toStdString(), messages};
        QVERIFY(createRally(state, "Spring Run 2024", "Spring"));
        std::ofstream(scheduleDataFile(state, 1), std::ios::binary) << test::kScheduleHeader << kFiveLines;
        frmRouteSchedule screen(state);
        screen.show();
        messages.writing = screen.writingLabel();
        QTest::mouseClick(screen.button("Select Day"), Qt::LeftButton);
        QTest::mouseClick(screen.button("Load Data"), Qt::LeftButton);
        QTest::mouseClick(screen.button("Print "), Qt::LeftButton);
        frmPrint* menu = screen.printMenu();
        QVERIFY(menu && menu->isVisible());
        QCOMPARE(test::clippedWidgets(menu).join("; "), QString());
        test::saveScreenshot(menu, "route-schedule-print.png");
        QTest::mouseClick(menu->button("Print Virtual Marshal Schedule"), Qt::LeftButton);
        QVERIFY(std::filesystem::exists(controlFilePath(state, 1)));
        QVERIFY(std::filesystem::exists(virtualMarshalFile(state, 1)));
        QCOMPARE(messages.texts.size(), std::size_t{0});
        QVERIFY(!screen.writingLabel()->isVisible());
        QTRY_VERIFY(!screen.printMenu());
    }

    void anAddedRowIsTheCurrentLineAtOnce() {
        Bench b;
        b.editLine(2);
        b.click("Add row");
        QCOMPARE(b.state.schedule.lineCount, 6);
        QCOMPARE(b.state.schedule.currentLine, 6);
        QCOMPARE(b.screen->lineCaption()->text(), QStringLiteral("6"));
        QCOMPARE(b.windowCell(3, 1), QStringLiteral("line added"));
        QCOMPARE(b.field(EditField::Instruction)->text(), QStringLiteral("line added"));
        QVERIFY(b.screen->editing());
        // Typed at once, without leaving edit mode, it lands on the new line.
        b.focus(EditField::Instruction);
        b.keys(EditField::Instruction, Qt::Key_End);
        QTest::keyClicks(b.field(EditField::Instruction), " at the gate");
        b.keys(EditField::Instruction, Qt::Key_Tab);
        QCOMPARE(b.line(6).instruction, std::string("line added at the gate"));
        QCOMPARE(b.line(2).instruction, std::string("Left at the church"));
    }

    void aClickOnARowInBrowseModeMakesItTheCurrentLine() {
        Bench b;
        const auto clickRow = [&](int row) {
            QTableWidget* w = b.screen->lineWindow();
            const QRect cell = w->visualRect(w->model()->index(row, 1));
            QTest::mouseClick(w->viewport(), Qt::LeftButton, {}, cell.center());
        };
        clickRow(5); // nothing loaded yet
        QCOMPARE(b.state.schedule.currentLine, 1);
        b.click("Select Day");
        b.click("Load Data");
        struct Step {
            int row;
            int currentAfter;
        };
        // Rows 0..6 show lines current - 3 .. current + 3; blank rows change nothing.
        for (const Step& s : {Step{5, 3}, Step{5, 5}, Step{4, 5}, Step{0, 2}, Step{0, 2}, Step{3, 2}}) {
            clickRow(s.row);
            QCOMPARE(b.state.schedule.currentLine, s.currentAfter);
            QCOMPARE(b.screen->lineCaption()->text(), QString::number(s.currentAfter));
            QCOMPARE(b.windowCell(3, 0), QString::number(s.currentAfter));
        }
        QVERIFY(b.messages.texts.empty());
        // In edit mode the fields are walked with Tab: a click moves nothing.
        b.click("Edit");
        clickRow(5);
        QCOMPARE(b.state.schedule.currentLine, 2);
        QCOMPARE(b.messages.texts,
                 std::vector<std::string>{"Use TAB or Shift-TAB to navigate through EDIT fields"});
    }

    void functionKeyHintsLeaveWithEditMode() {
        for (const EditField f :
             {EditField::Type, EditField::Limit, EditField::AddTimeB, EditField::Instruction}) {
            Bench b;
            b.editLine(2);
            b.focus(f);
            b.click("Save");
            QCoreApplication::processEvents();
            QVERIFY2(b.screen->hintPanel()->text().isEmpty(), qPrintable(b.screen->hintPanel()->text()));
            QVERIFY(!b.screen->editing());
            for (int i = 1; i <= kEditFieldCount; ++i)
                QVERIFY(!b.field(static_cast<EditField>(i))->isEnabled());
        }
    }

    void saveAndPrintSayWhatTheyWrote() {
        Bench b;
        b.editLine(1);
        QCOMPARE(b.screen->statusLine()->text(), QString());
        b.click("Save");
        QCOMPARE(b.screen->statusLine()->text(), QStringLiteral("Saved RS1_Data.csv"));
        QCOMPARE(b.screen->statusLine()->toolTip().toStdString(), scheduleDataFile(b.state, 1).string());

        struct Case {
            const char* button;
            const char* status;
        };
        const Case cases[] = {
            {"Print Check Route Schedule", "Saved cp1.csv, CheckRouteSchedule1.xlsx"},
            {"Print Route Schedules", "Saved cp1.csv, PrintRouteSchedule1.xlsx"},
            {"Print Virtual Marshal Schedule", "Saved cp1.csv, VirtualMarshalSchedule1.xlsx"},
        };
        for (const Case& c : cases) {
            b.screen->statusLine()->clear();
            b.click("Print ");
            QTRY_VERIFY(b.screen->printMenu() && b.screen->printMenu()->isVisible());
            QTest::mouseClick(b.screen->printMenu()->button(c.button), Qt::LeftButton);
            QCOMPARE(b.screen->statusLine()->text(), QString::fromLatin1(c.status));
            QTRY_VERIFY(!b.screen->printMenu());
        }
        QVERIFY(b.messages.texts.empty());

        // A save that fails writes nothing and says nothing was saved.
        b.click("Edit");
        b.screen->statusLine()->clear();
        std::filesystem::remove_all(b.state.rallyFolder(RallyFolder::RouteSchedule));
        b.click("Save");
        QCOMPARE(b.screen->statusLine()->text(), QString());
        QCOMPARE(b.messages.texts.size(), std::size_t{1});
    }

    void saveAndExitStayInViewOnASmallDesktop() {
        struct Case {
            QSize size;
            const char* picture;
        };
        for (const Case& c : {Case{{1093, 590}, "route-schedule-1093x590.png"},
                              Case{{1272, 650}, "route-schedule-1272x650.png"}}) {
            Bench b(2, 4);
            b.editLine(2);
            b.screen->setFixedSize(c.size);
            QVERIFY(QTest::qWaitForWindowExposed(b.screen.get()));
            QCoreApplication::processEvents();
            for (const char* caption : {"Save", "Exit", "Add row", "Print ", "Edit"}) {
                QPushButton* button = b.screen->button(caption);
                const QRect area(button->mapTo(b.screen.get(), QPoint(0, 0)), button->size());
                QVERIFY2(button->isVisible(), caption);
                QVERIFY2(b.screen->rect().contains(area), caption);
            }
            const QRect status(b.screen->statusLine()->mapTo(b.screen.get(), QPoint(0, 0)),
                               b.screen->statusLine()->size());
            QVERIFY(b.screen->rect().contains(status));
            test::saveScreenshot(b.screen.get(), c.picture);
        }
    }

    void thePrintMenuOpensOverTheScreen() {
        Bench b;
        placeOver(b.screen.get(), nullptr);
        b.click("Select Day");
        b.click("Load Data");
        b.click("Print ");
        frmPrint* menu = b.screen->printMenu();
        QVERIFY(menu && menu->isVisible());
        QVERIFY(b.screen->frameGeometry().contains(menu->geometry()));
    }

    void pictures() {
        Bench b(2, 4);
        b.click("Select Day");
        b.click("Load Data");
        b.click("Next");
        QCOMPARE(test::clippedWidgets(b.screen.get()).join("; "), QString());
        test::saveScreenshot(b.screen.get(), "route-schedule-browse.png");

        b.click("Next"); // the next line follows an "f" line: each group at its own speed
        const PassingWindowView& chart = b.screen->chart()->window();
        QVERIFY(chart.present);
        for (std::size_t g = 1; g <= 4; ++g)
            QVERIFY(chart.bars[g].shown);
        QVERIFY(chart.bars[2].left < chart.bars[1].left + chart.bars[1].width); // B's first before A's last
        test::saveScreenshot(b.screen->chart()->parentWidget(), "route-schedule-chart.png");

        b.click("Edit");
        b.focus(EditField::Type);
        QCOMPARE(test::clippedWidgets(b.screen.get()).join("; "), QString());
        test::saveScreenshot(b.screen.get(), "route-schedule-edit.png");
    }
};

QTEST_MAIN(RouteScheduleTest)
#include "routeschedule_guitest.moc"
