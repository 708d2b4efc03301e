// A function of the platform's "coredll.dll", looked up by name when this is
// made; null where the platform lacks the library or the function. The
// library stays loaded while this lives.
#pragma once

#include "platform/win32.h"

template <class Function>
class CoreFunction {
public:
    explicit CoreFunction(const WCHAR* name) : library_(LoadLibraryW(TEXT("coredll.dll")))
    {
        // Through the generic function type: a direct cast between unrelated
        // function types draws a warning.
        if (library_)
            function_ = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddressW(library_, name)));
    }
    ~CoreFunction()
    {
        if (library_)
            FreeLibrary(library_);
    }
    CoreFunction(const CoreFunction&) = delete;
    CoreFunction& operator=(const CoreFunction&) = delete;

    Function Get() const { return function_; }

private:
    HMODULE library_;
    Function function_ = nullptr;
};
