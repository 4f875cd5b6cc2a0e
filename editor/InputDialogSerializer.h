#pragma once

#include <string>
#include <vector>

#include "params/Serializer.h"

// The editor's side of the parameter interface. Collecting (a writing serializer) lists an
// element's parameters as fields, one per value, in the order its Parameters method names
// them, with the sections of nested objects; the panel edits the fields; applying (a reading
// serializer) replays the same calls and hands the edited values to the element, which then
// recomputes what depends on them exactly as after reading its settings file. The game's texts
// are Windows-1252; fields hold them in UTF-8, as the editor's windows show them.
class InputDialogSerializer : public Serializer {
public:
    enum class Kind {
        Float,
        Int,
        Bool,
        String,
        Vector,
        VectorFloat,
        ComboBox,     // a String "<label>_string" and an Int "<label>_index" shown as one choice
        Colour,       // an Int 0xRRGGBB (hint "colour")
        Button,       // a Bool set while pressed (hint "button")
        FileName,     // a String naming a file (hint "file")
        Spacer,       // a comment: a line of text or an empty gap
        SectionStart, // a nested object's section: label, name and the object's class
        SectionEnd,
    };

    struct Field {
        Kind kind = Kind::Float;
        std::string label;
        std::string name;               // SectionStart: the object's name
        std::string className;          // SectionStart of a SubObject: its class
        float floats[2] = {0.0f, 0.0f};
        int ints[2] = {0, 0};
        bool flag = false;
        std::string text;               // String, FileName, ComboBox (the option's text), Spacer
        std::vector<std::string> options;  // ComboBox
        bool hidden = false;            // hint "hide"
        bool edited = false;            // set by the panel; only edited fields are handed back
    };

    // Lists object's parameters (Parameters(*this, name)) as fields.
    static std::vector<Field> Collect(Object& object, const std::string& name);
    // Hands the edited fields back through object's Parameters; the fields must come from
    // Collect on the same object. False (and a log line) when the object now names other
    // parameters than were collected: nothing after the first difference is applied.
    static bool Apply(Object& object, const std::string& name, const std::vector<Field>& fields);

    bool IsWriting() const override;
    void VectorFloat(const std::string& label, float& x, float& y) override;
    void Vector(const std::string& label, int& x, int& y) override;
    void String(const std::string& label, std::string& value) override;
    void Bool(const std::string& label, bool& value) override;
    void Float(const std::string& label, float& value) override;
    void Int(const std::string& label, int& value) override;
    void SubObject(const std::string& name, Object* object) override;
    void BeginSection(const std::string& label, const std::string& name) override;
    void EndSection() override;
    void Comment(const std::string& text) override;
    void Hint(const std::string& key, const std::string& value) override;

private:
    // Hints given for the next parameter.
    struct PendingHints {
        bool hide = false;
        bool colour = false;
        bool button = false;
        bool file = false;
        bool combo = false;
        std::vector<std::string> options;
    };

    // The field a call stands for, taking up the pending hints and class name.
    Field Describe(Kind kind, const std::string& label);
    // Collecting: records the field. Applying: matches it against the next collected one and
    // returns that when it was edited.
    const Field* Exchange(Field call);
    const Field* Match(const Field& call);
    void Stop(const std::string& found, const std::string& expected);
    Kind IntKind() const;
    // The index half of a combo box whose text half came just before.
    void CompleteComboBox(int& index);

    std::vector<Field> fields;
    const std::vector<Field>* collected = nullptr;  // set while applying
    size_t next = 0;
    bool stopped = false;
    PendingHints pending;
    std::string pendingClass;
    std::string awaitedComboIndex;
    const Field* editedComboBox = nullptr;
};
