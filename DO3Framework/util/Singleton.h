#pragma once

#include <cstdlib>

// Base of every engine service. The instance is created on first use; at that moment a
// process-exit handler is registered that deletes it, so services die in the reverse
// order of their first use. No locking: first use must happen on one thread.
template <class T>
class Singleton {
public:
    virtual ~Singleton() = default;

    static T& Instance()
    {
        if (!instance) {
            instance = new T;
            if (!exitHandlerRegistered) {
                exitHandlerRegistered = true;
                std::atexit(&Release);
            }
        }
        return *instance;
    }

    static bool Exists() { return instance != nullptr; }

    // Deletes the instance now; the next use creates a fresh one (tests start clean this way).
    static void Release()
    {
        T* dying = instance;
        instance = nullptr;
        delete dying;
    }

protected:
    Singleton() = default;
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

private:
    static inline T* instance = nullptr;
    static inline bool exitHandlerRegistered = false;
};
