#include "params/ComboBox.h"

#include <algorithm>

#include "app/Debug.h"
#include "params/Serializer.h"

namespace {

// Stands for "no text read": a text line can never hold a NUL character.
const std::string kNothingRead(1, '\0');

bool InRange(int index, const std::vector<std::string>& options)
{
    return index >= 0 && index < static_cast<int>(options.size());
}

std::string OptionList(const std::vector<std::string>& options)
{
    std::string list;
    for (const std::string& option : options) {
        list += "[" + option + "]";
    }
    return list;
}

int ChooseSelection(const std::string& label, const std::vector<std::string>& options, const std::string& text,
                    int index, int current)
{
    // Nothing read at all (an editor handing back only what was changed): nothing to choose.
    if (text == kNothingRead && index == -1) {
        return current;
    }
    auto named = std::find(options.begin(), options.end(), text);
    if (text != kNothingRead && named != options.end()) {
        return static_cast<int>(named - options.begin());
    }
    if (InRange(index, options)) {
        return index;
    }
    Debug::Instance().Warning("ComboBox: <%s> names no option, selection %d kept\n", label.c_str(), current);
    return current;
}

}  // namespace

void ComboBox(Serializer& serializer, const std::string& label, const std::vector<std::string>& options,
              int& selection)
{
    serializer.Hint("combobox", OptionList(options));
    std::string text = kNothingRead;
    int index = -1;
    if (serializer.IsWriting()) {
        text = InRange(selection, options) ? options[selection] : std::string();
        index = selection;
    }
    serializer.String(label + "_string", text);
    serializer.Int(label + "_index", index);
    if (serializer.IsReading()) {
        selection = ChooseSelection(label, options, text, index, selection);
    }
}
