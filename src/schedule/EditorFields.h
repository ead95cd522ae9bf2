#pragma once
// The fourteen edit fields of the route schedule screen and what the keyboard does in them: which
// characters each field takes, which fields a line type opens, what F1..F6 do and what leaving a
// field stores. The screen only passes keys and texts on and redraws.
#include "common/ProgramState.h"
#include "common/Status.h"

#include <optional>
#include <string>
#include <vector>

namespace trakmora {

// Numbered as the screen walks them with Tab.
enum class EditField {
    Instruction = 1,
    Type,
    Distance,
    Limit,
    SpeedA,
    SpeedB,
    SpeedC,
    SpeedD,
    AddTimeA,
    AddTimeB,
    AddTimeC,
    AddTimeD,
    Latitude,
    Longitude,
};
inline constexpr int kEditFieldCount = 14;

// The speed group (1..4) of a speed or added-time field, 0 for the others.
int speedFieldGroup(EditField field);
int addTimeFieldGroup(EditField field);

// Whether a typed character goes into the field; others are dropped without a sound. Backspace
// and the navigation keys are not characters and always pass.
//   instruction: anything but an apostrophe, a comma or a double quote (the data file does not
//   escape them); distance, speeds, latitude, longitude: digits only; added times: nothing.
bool fieldTakesCharacter(EditField field, char32_t c);

// Whether the field can be edited on a line of this type with this baseline group (1..4):
// instruction, type, distance and limit always; the four speeds on "a" lines, the baseline speed
// on "f" and "o" lines; added times on "f", "o", "a", "s" lines; coordinates on "v" lines.
bool fieldOpenForType(EditField field, const std::string& type, int baselineGroup);

// The hint panel's lines for the field, one per function key from F1.
std::vector<std::string> functionKeyHints(EditField field);

// F1..F6 on the field of the current line: the type field takes "f", "o", "a", "s", "v" and
// propagates the speeds; the limit takes 60, 80, 100, 120; the added-time fields add 10 s, 1 min,
// 5 min or subtract the same, mirror and recalculate. False when the key means nothing there.
bool applyFunctionKey(ProgramState& state, EditField field, int key, Status& status);

// Stores what the field holds when it is left, on the current line. For the distance and
// coordinate fields `text` is the entry box (hundredths of a kilometre, hundred-thousandths of a
// degree). An empty or non-numeric speed or limit keeps the old value, except that an empty
// limit is 120. Type and speed changes propagate the speeds; a refused propagation is returned.
Status leaveField(ProgramState& state, EditField field, const std::string& text);

// The distance in km of a distance entry ("1234" is 12.34 km); nothing for an empty entry.
std::optional<double> distanceEntryKm(const std::string& entry);
// The degrees of a coordinate entry ("3386512" is 33.86512, "-3386512" is -33.86512); 0 for an
// empty entry, nothing for anything else (pasted text).
std::optional<double> coordinateEntry(const std::string& entry);
// The same for the box that shows the degrees while typing: 0 for anything else.
double coordinateEntryDegrees(const std::string& entry);
// The entry box text that stands for a stored value: 12.34 km gives "1234".
std::string distanceEntryText(double km);
std::string coordinateEntryText(double degrees);

// What the entry box of the distance, latitude or longitude field of the current line starts
// from: the stored value, so that passing through the field keeps it. Empty for other fields.
std::string entryBoxText(const ScheduleTable& table, EditField field);

// "Select Day": the next day, back to 1 above the number of days.
int nextSelectedDay(int selectedDay, double noOfDays);

// "Previous" and "Next": moves the current line by `delta`, kept within 1..lineCount, and
// recalculates the times.
void stepCurrentLine(ProgramState& state, int delta);

// A click on row `row` (0..6, the current line in the middle) of the window of lines in browse
// mode: the line shown there becomes the current line and the times are recalculated. False,
// with nothing changed, for a blank row (before line 1 or after the last line).
bool goToWindowRow(ProgramState& state, int row);

} // namespace trakmora
