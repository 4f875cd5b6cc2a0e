#pragma once

#include <string>
#include <vector>

#include "util/Singleton.h"

class Object;

// The registry of named configurable objects, in registration order. It only refers to its
// members' objects and never deletes them. A name may hold '|' characters that separate the
// editor's folders.
class Cast : public Singleton<Cast> {
public:
    struct Member {
        Object* object = nullptr;
        std::string name;
        // Created by class name from the settings file rather than by the program.
        bool dynamic = false;
    };

    // A member of that name (byte-wise) gets the new object and flag; otherwise one is appended.
    bool Register(Object* object, const std::string& name, bool dynamic);
    Object* Find(const std::string& name) const;
    // The name of the first member holding object; empty when none does.
    std::string NameOf(const Object* object) const;
    bool Remove(const Object* object);
    // Gives the member called from the name to, in its place; false when there is no such
    // member or another one is already called to.
    bool Rename(const std::string& from, const std::string& to);
    void Clear() { members.clear(); }
    void Dump() const;
    // prefix + 1, 2, 3, ...: the first that no member is called.
    std::string MakeUniqueName(const std::string& prefix) const;

    const std::vector<Member>& Members() const { return members; }

private:
    const Member* MemberNamed(const std::string& name) const;
    std::vector<Member>::const_iterator MemberHolding(const Object* object) const;

    std::vector<Member> members;
};
