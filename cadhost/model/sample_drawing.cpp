#include "cadhost/model/sample_drawing.h"

namespace cadhost {

namespace {

// A door schedule note that comes close to the 255-character limit of a text, so that a
// replacement that lengthens it cannot fit.
std::string LongNote() {
    std::string note = "Note: every door listed here is a fire door; check the door hardware, "
                       "the door closer and the door frame against the schedule before "
                       "ordering. Doors marked FD need a signed certificate. Ask the architect "
                       "about any door that is not on this sheet";
    note.resize(250, '.');
    return note;
}

} // namespace

Drawing SampleDrawing() {
    Drawing d;
    const lgl_addr doors = d.AddLayer("Doors");
    const lgl_addr sheets = d.AddLayer("Sheets");
    const lgl_addr notes = d.AddLayer("Notes");
    const lgl_addr frozen = d.AddLayer("Existing", true, true);
    const lgl_addr hidden = d.AddLayer("Hidden", false, false);

    d.AddEntity(MakeText("Door 101", {2, 30}, 1, "door101"), doors);
    d.AddEntity(MakeText("DOOR 102", {2, 27}, 1, "door102"), doors);
    d.AddEntity(MakeText("door 2", {2, 24}, 1, "door2"), doors);
    d.AddEntity(
        MakeSmartText(qx::host::kEntMultiLineText, {{"Back door", {2, 20}, 1, 0}}, "backdoor"),
        doors);
    d.AddEntity(MakeLine({0, 18}, {40, 18}, "wall"), doors);

    d.AddEntity(MakeText("A-101", {50, 3}, 1.5, "sheetA101"), sheets);
    d.AddEntity(MakeText("Sheet 9 of 12", {50, 1}, 1, "sheet9"), sheets);

    d.AddEntity(MakeSmartText(qx::host::kEntParagraphText,
                              {{"All doors to be", {2, 12}, 0.8, 0},
                               {"painted to match", {2, 11}, 0.8, 0},
                               {"the frame of door 101.", {2, 10}, 0.8, 0}},
                              "paintnote"),
                notes);
    d.AddEntity(MakeText(LongNote(), {2, 6}, 0.5, "longnote"), notes);

    d.AddEntity(MakeText("Door 99", {30, 30}, 1, "door99"), frozen);
    d.AddEntity(MakeText("Door 100", {30, 27}, 1, "door100"), hidden);
    return d;
}

} // namespace cadhost
