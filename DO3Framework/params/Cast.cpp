#include "params/Cast.h"

#include <algorithm>

#include "app/Debug.h"

bool Cast::Register(Object* object, const std::string& name, bool dynamic)
{
    if (!object) {
        Debug::Instance().Error("Cast::Register: no object for <%s>\n", name.c_str());
        return false;
    }
    for (Member& member : members) {
        if (member.name == name) {
            member.object = object;
            member.dynamic = dynamic;
            return true;
        }
    }
    members.push_back(Member{object, name, dynamic});
    return true;
}

const Cast::Member* Cast::MemberNamed(const std::string& name) const
{
    auto found = std::find_if(members.begin(), members.end(), [&](const Member& m) { return m.name == name; });
    return found == members.end() ? nullptr : &*found;
}

std::vector<Cast::Member>::const_iterator Cast::MemberHolding(const Object* object) const
{
    return std::find_if(members.begin(), members.end(), [&](const Member& m) { return m.object == object; });
}

Object* Cast::Find(const std::string& name) const
{
    const Member* member = MemberNamed(name);
    return member ? member->object : nullptr;
}

std::string Cast::NameOf(const Object* object) const
{
    auto found = MemberHolding(object);
    return found == members.end() ? std::string() : found->name;
}

bool Cast::Remove(const Object* object)
{
    auto found = MemberHolding(object);
    if (found == members.end()) {
        return false;
    }
    members.erase(found);
    return true;
}

void Cast::Dump() const
{
    Debug::Instance().Log("Cast Members:\n");
    for (const Member& member : members) {
        Debug::Instance().Log("  %s\n", member.name.c_str());
    }
}

std::string Cast::MakeUniqueName(const std::string& prefix) const
{
    for (size_t number = 1;; ++number) {
        std::string name = prefix + std::to_string(number);
        if (!MemberNamed(name)) {
            return name;
        }
    }
}

bool Cast::Rename(const std::string& from, const std::string& to)
{
    if (MemberNamed(to)) {
        return from == to && MemberNamed(from);
    }
    auto found = std::find_if(members.begin(), members.end(), [&](const Member& m) { return m.name == from; });
    if (found == members.end()) {
        return false;
    }
    found->name = to;
    return true;
}
