#pragma once
// What the configuration screen shows for the settings: the value of the field being edited,
// which controls of the editing panel are shown or enabled on each field, and the summary of all
// 31 fields with their "Not applicable" rules. The screen only puts these texts and states on
// its widgets.
#include "common/RallyConfig.h"

#include <optional>
#include <string>
#include <vector>

namespace trakmora {

inline constexpr const char* kNotApplicable = "Not applicable";

// False for a day start time beyond NoOfDays, a speed, last entry or score group name of a group
// beyond the groups in use; group A and every other field always apply.
bool fieldApplies(const RallyConfig& config, int field);

// The value panel of a numeric or date field ("Competitor No 15", "600 seconds", " B Speed
// Group", "Not applicable", StartDate as "dd mmm yyyy"); "" for the text fields.
std::string panelValueText(const RallyConfig& config, int field);
// The text box of a text field: its value, or "Not applicable"; "" for other fields.
std::string textBoxText(const RallyConfig& config, int field);

// The controls of the editing panel a field sets; an empty member keeps the control as it is.
struct PanelLayout {
    std::optional<bool> textBox;     // shown
    std::optional<bool> enter;       // shown
    std::optional<bool> steppers;    // "-" and "+" shown
    std::optional<bool> dateButtons; // the six date buttons shown
    std::optional<bool> previous;    // enabled
    std::optional<bool> next;        // enabled
};
// The layout when field `field` is displayed. A text field that applies disables "Previous" and
// "Next" until it is accepted with "Enter"; numeric fields never block moving on.
PanelLayout panelLayout(const RallyConfig& config, int field);
// The panel before the first field is displayed: moving disabled, "-", "+", "Enter" and the date
// buttons hidden, the text box shown.
PanelLayout startLayout();
// After "Enter" on a text field: "Next" on field 1, "Previous" and "Next" on the others.
PanelLayout afterEnterLayout(int field);

inline constexpr const char* kPressEnterHint = "Press Enter to store";
// Whether the hint kPressEnterHint shows beside the text box: on a text field that applies, until
// "Enter" has stored it on this visit of the field, and again while the box holds something
// other than the stored text.
bool textAwaitsEnter(const RallyConfig& config, int field, const std::string& boxText,
                     bool storedOnThisVisit);

struct SummaryLine {
    std::string caption;
    // Empty when a count outside its exact values (1..4 groups, 1..5 days) leaves the label
    // as it was.
    std::optional<std::string> value;
};
// The 31 lines of the summary, in the order they are shown.
std::vector<SummaryLine> configSummary(const RallyConfig& config);

} // namespace trakmora
