#include "editor/InputDialogSerializer.h"

#include <utility>

#include "app/Debug.h"
#include "platform/TextEncoding.h"
#include "params/AsciiSerializer.h"
#include "params/Object.h"

namespace {

// The two halves of a combo box written by ComboBox().
const std::string kComboText = "_string";
const std::string kComboIndex = "_index";

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// "[stop][loop][ping pong]" -> stop, loop, ping pong
std::vector<std::string> ParseOptions(const std::string& list)
{
    std::vector<std::string> options;
    size_t open = list.find('[');
    while (open != std::string::npos) {
        size_t close = list.find(']', open + 1);
        if (close == std::string::npos) {
            break;
        }
        options.push_back(list.substr(open + 1, close - open - 1));
        open = list.find('[', close + 1);
    }
    return options;
}

std::string ClassName(const Object& object)
{
    const std::string prefix = "class ";
    std::string name = AsciiSerializer::ClassTypeName(object);
    return name.starts_with(prefix) ? name.substr(prefix.size()) : name;
}

}  // namespace

std::vector<InputDialogSerializer::Field> InputDialogSerializer::Collect(Object& object, const std::string& name)
{
    InputDialogSerializer collector;
    object.Parameters(collector, name);
    return std::move(collector.fields);
}

bool InputDialogSerializer::Apply(Object& object, const std::string& name, const std::vector<Field>& fields)
{
    InputDialogSerializer applier;
    applier.collected = &fields;
    object.Parameters(applier, name);
    if (!applier.stopped && applier.next < fields.size()) {
        applier.Stop("", fields[applier.next].label);
    }
    return !applier.stopped;
}

bool InputDialogSerializer::IsWriting() const
{
    return collected == nullptr;
}

// ---- Fields and their matching ----

InputDialogSerializer::Field InputDialogSerializer::Describe(Kind kind, const std::string& label)
{
    Field field;
    field.kind = kind;
    field.label = platform::Utf8FromCp1252(label);
    field.hidden = pending.hide;
    if (kind == Kind::ComboBox) {
        field.options = std::move(pending.options);
    }
    std::string className = std::exchange(pendingClass, std::string());
    if (kind == Kind::SectionStart) {
        field.className = std::move(className);
    }
    pending = PendingHints();
    awaitedComboIndex.clear();
    return field;
}

const InputDialogSerializer::Field* InputDialogSerializer::Exchange(Field call)
{
    if (IsWriting()) {
        fields.push_back(std::move(call));
        return nullptr;
    }
    const Field* field = Match(call);
    return field && field->edited ? field : nullptr;
}

const InputDialogSerializer::Field* InputDialogSerializer::Match(const Field& call)
{
    if (stopped) {
        return nullptr;
    }
    if (next >= collected->size()) {
        Stop(call.label, "");
        return nullptr;
    }
    const Field& field = (*collected)[next];
    if (field.kind != call.kind || field.label != call.label || field.className != call.className) {
        Stop(call.label, field.label);
        return nullptr;
    }
    ++next;
    return &field;
}

void InputDialogSerializer::Stop(const std::string& found, const std::string& expected)
{
    stopped = true;
    Debug::Instance().Warning("InputDialogSerializer::Apply: parameter <%s> where <%s> was collected, the rest "
                              "is left as it was\n",
                              found.c_str(), expected.c_str());
}

InputDialogSerializer::Kind InputDialogSerializer::IntKind() const
{
    if (pending.combo) {
        return Kind::ComboBox;
    }
    return pending.colour ? Kind::Colour : Kind::Int;
}

void InputDialogSerializer::CompleteComboBox(int& index)
{
    awaitedComboIndex.clear();
    if (IsWriting()) {
        fields.back().ints[0] = index;
    } else if (editedComboBox) {
        index = editedComboBox->ints[0];
    }
}

// ---- The parameter operations ----

void InputDialogSerializer::VectorFloat(const std::string& label, float& x, float& y)
{
    Field call = Describe(Kind::VectorFloat, label);
    call.floats[0] = x;
    call.floats[1] = y;
    if (const Field* edit = Exchange(std::move(call))) {
        x = edit->floats[0];
        y = edit->floats[1];
    }
}

void InputDialogSerializer::Vector(const std::string& label, int& x, int& y)
{
    Field call = Describe(Kind::Vector, label);
    call.ints[0] = x;
    call.ints[1] = y;
    if (const Field* edit = Exchange(std::move(call))) {
        x = edit->ints[0];
        y = edit->ints[1];
    }
}

void InputDialogSerializer::String(const std::string& label, std::string& value)
{
    const bool comboText = pending.combo && EndsWith(label, kComboText);
    if (!comboText) {
        Field call = Describe(pending.file ? Kind::FileName : Kind::String, label);
        call.text = platform::Utf8FromCp1252(value);
        if (const Field* edit = Exchange(std::move(call))) {
            value = platform::Cp1252FromUtf8(edit->text);
        }
        return;
    }
    // A combo box's text half: one field under the box's own label, completed by the index.
    const std::string boxLabel = label.substr(0, label.size() - kComboText.size());
    Field call = Describe(Kind::ComboBox, boxLabel);
    call.text = platform::Utf8FromCp1252(value);
    editedComboBox = Exchange(std::move(call));
    if (editedComboBox) {
        value = platform::Cp1252FromUtf8(editedComboBox->text);
    }
    awaitedComboIndex = boxLabel + kComboIndex;
}

void InputDialogSerializer::Bool(const std::string& label, bool& value)
{
    Field call = Describe(pending.button ? Kind::Button : Kind::Bool, label);
    call.flag = value;
    if (const Field* edit = Exchange(std::move(call))) {
        value = edit->flag;
    }
}

void InputDialogSerializer::Float(const std::string& label, float& value)
{
    Field call = Describe(Kind::Float, label);
    call.floats[0] = value;
    if (const Field* edit = Exchange(std::move(call))) {
        value = edit->floats[0];
    }
}

void InputDialogSerializer::Int(const std::string& label, int& value)
{
    if (!awaitedComboIndex.empty() && label == awaitedComboIndex) {
        CompleteComboBox(value);
        return;
    }
    Field call = Describe(IntKind(), label);
    call.ints[0] = value;
    if (call.kind == Kind::ComboBox && value >= 0 && value < static_cast<int>(call.options.size())) {
        call.text = call.options[static_cast<size_t>(value)];
    }
    if (const Field* edit = Exchange(std::move(call))) {
        value = edit->ints[0];
    }
}

void InputDialogSerializer::SubObject(const std::string& name, Object* object)
{
    if (!object) {
        return;
    }
    pendingClass = ClassName(*object);
    object->Parameters(*this, name);
    pendingClass.clear();
}

void InputDialogSerializer::BeginSection(const std::string& label, const std::string& name)
{
    Field call = Describe(Kind::SectionStart, label);
    call.name = platform::Utf8FromCp1252(name);
    Exchange(std::move(call));
}

void InputDialogSerializer::EndSection()
{
    Exchange(Describe(Kind::SectionEnd, ""));
}

void InputDialogSerializer::Comment(const std::string& text)
{
    Field call = Describe(Kind::Spacer, "");
    call.text = platform::Utf8FromCp1252(text);
    Exchange(std::move(call));
}

void InputDialogSerializer::Hint(const std::string& key, const std::string& value)
{
    if (key == "hide") {
        pending.hide = true;
    } else if (key == "colour") {
        pending.colour = true;
    } else if (key == "button") {
        pending.button = true;
    } else if (key == "file") {
        pending.file = true;
    } else if (key == "combobox") {
        pending.combo = true;
        pending.options = ParseOptions(platform::Utf8FromCp1252(value));
    }
}
