#pragma once

#include <string>

class Object;

// The parameter interface. A configurable class lists its parameters once, in order, as calls
// on a Serializer; the same calls write them, read them back or feed an editor dialog. Values
// are passed by reference: written from when writing, read into when reading. A value that
// cannot be read leaves the variable as it was.
class Serializer {
public:
    Serializer() = default;
    virtual ~Serializer() = default;
    Serializer(const Serializer&) = delete;
    Serializer& operator=(const Serializer&) = delete;

    virtual bool IsWriting() const = 0;
    virtual bool IsReading() const { return !IsWriting(); }

    virtual void VectorFloat(const std::string& label, float& x, float& y) = 0;
    virtual void Vector(const std::string& label, int& x, int& y) = 0;
    virtual void String(const std::string& label, std::string& value) = 0;
    virtual void Bool(const std::string& label, bool& value) = 0;
    virtual void Float(const std::string& label, float& value) = 0;
    virtual void Int(const std::string& label, int& value) = 0;

    // A nested object: its Parameters(*this, name) run inside the current section.
    virtual void SubObject(const std::string& name, Object* object) = 0;
    virtual void BeginSection(const std::string& label, const std::string& name) = 0;
    virtual void EndSection() = 0;
    virtual void Comment(const std::string& text) = 0;
    // A presentation hint for the editor ("hide", a combo-box list); text files ignore it.
    virtual void Hint(const std::string& key, const std::string& value) = 0;
};
