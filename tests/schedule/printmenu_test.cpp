#include "schedule/PrintMenu.h"

#include "schedule/ControlFiles.h"
#include "schedule/RSModule.h"
#include "support/RallyTest.h"
#include "workspace/Workspace.h"

#include <gtest/gtest.h>

namespace trakmora {
namespace {

class PrintMenu : public test::RallyTest {
protected:
    PrintMenu() : RallyTest("Print Run", "Prt") {}
};

TEST_F(PrintMenu, ControlFilesComeFirstThenTheWorkbookOrAMessage) {
    state.rally.selectedDay = 2;
    ASSERT_TRUE(loadDay(state)); // the template
    state.schedule.line(3).type = "v";
    ASSERT_TRUE(recalculateSchedule(state));
    messages.texts.clear();

    bool controlFileThere = false;
    ASSERT_TRUE(runPrintButton(state, [&](ProgramState& s) {
        controlFileThere = std::filesystem::exists(controlFilePath(s, 2));
        return Status{};
    }));
    EXPECT_TRUE(controlFileThere);
    EXPECT_TRUE(messages.texts.empty());

    ASSERT_TRUE(runPrintButton(state, {}));
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_NE(messages.texts[0].find("cp2.csv with 1 control,"), std::string::npos) << messages.texts[0];

    // A control file that cannot be written stops the button before its workbook.
    std::filesystem::remove_all(state.rallyFolder(RallyFolder::Marshals));
    bool workbookRan = false;
    const Status st = runPrintButton(state, [&](ProgramState&) {
        workbookRan = true;
        return Status{};
    });
    EXPECT_FALSE(st.ok());
    EXPECT_FALSE(workbookRan);
    EXPECT_EQ(printButtons()[1].caption, std::string("Print Route Schedules"));
}

} // namespace
} // namespace trakmora
