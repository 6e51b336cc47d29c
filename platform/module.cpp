#include "platform/module.h"

#include <dlfcn.h>

namespace platform {

std::unique_ptr<Module> Module::open(const std::string& path, std::string* error) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        if (error != nullptr) {
            const char* message = ::dlerror();
            *error = message != nullptr ? message : "cannot load " + path;
        }
        return nullptr;
    }
    return std::unique_ptr<Module>(new Module(handle));
}

Module::~Module() { ::dlclose(handle); }

void* Module::symbol(const char* name) const { return ::dlsym(handle, name); }

}  // namespace platform
