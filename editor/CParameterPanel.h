#pragma once

#include <string>
#include <vector>

#include "editor/InputDialogSerializer.h"

// Draws an element's collected parameters as Dear ImGui widgets inside the current window,
// nested objects as tree nodes. A field counts as changed once its edit is committed: typed
// values when their input is left, choices, boxes and buttons at once.
class CParameterPanel {
public:
    using Field = InputDialogSerializer::Field;

    // True when a field was changed this frame; such fields are marked edited.
    bool Draw(std::vector<Field>& fields);

private:
    bool DrawField(Field& field);
    bool DrawComboBox(Field& field);
    bool DrawColour(Field& field);
    bool DrawFileName(Field& field);
    bool DrawFileChoice(Field& field);
    static void DrawSpacer(const Field& field);
    static bool OpenSection(const Field& field, size_t index, int depth);

    // The files beside the file name being chosen, read when its list opens.
    std::vector<std::string> listedFiles;
};
