#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/Debug.h"

// Creates objects of a common base by class name. Classes register themselves during static
// initialisation (see FactoryRegistration); a later registration of a name replaces the earlier.
template <class Base>
class Factory {
public:
    using Creator = std::function<std::unique_ptr<Base>()>;

    static void Register(const std::string& name, Creator creator) { Creators()[name] = std::move(creator); }

    static bool Knows(const std::string& name) { return Creators().count(name) != 0; }

    // Every registered name, in byte-wise order.
    static std::vector<std::string> Names()
    {
        std::vector<std::string> names;
        for (const auto& entry : Creators()) {
            names.push_back(entry.first);
        }
        return names;
    }

    // An unknown name is a fatal log message (shown in a box) and yields null; the caller decides.
    static std::unique_ptr<Base> Create(const std::string& name)
    {
        auto found = Creators().find(name);
        if (found == Creators().end()) {
            Debug::Instance().Fatal("Factory: could not create\n\"%s\"", name.c_str());
            return nullptr;
        }
        return found->second();
    }

private:
    // Function-local so that registrations from any translation unit find it built.
    static std::map<std::string, Creator>& Creators()
    {
        static std::map<std::string, Creator> creators;
        return creators;
    }
};

template <class Base, class Derived>
struct FactoryRegistration {
    explicit FactoryRegistration(const char* name)
    {
        Factory<Base>::Register(name, [] { return std::unique_ptr<Base>(std::make_unique<Derived>()); });
    }
};

// Registers Derived under its own class name with the factory of Base. Use at namespace scope.
#define QM_REGISTER_CLASS(Base, Derived) \
    static const FactoryRegistration<Base, Derived> qmRegistration##Derived(#Derived)
