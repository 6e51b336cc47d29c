// Loading a shared library and finding its exports (dlopen / dlsym).
#pragma once

#include <memory>
#include <string>

namespace platform {

class Module {
public:
    // The library at `path` (a bare name searches the usual library path); null on failure
    // with the loader's message in `error`.
    static std::unique_ptr<Module> open(const std::string& path, std::string* error);
    ~Module();
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    void* symbol(const char* name) const;

private:
    explicit Module(void* handle) : handle(handle) {}
    void* handle;
};

}  // namespace platform
