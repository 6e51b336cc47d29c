// The plug-in's only exports: VSTPluginMain and its older alias `main`.
#include <new>

#include "effect/core/calorvane.h"

namespace {

AEffect* createEffect(audioMasterCallback audioMaster) {
    if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0)
        return nullptr;
    try {
        auto* effect = new (std::nothrow) Calorvane(audioMaster);
        return effect != nullptr ? effect->getAeffect() : nullptr;
    } catch (...) {
        // Out of memory inside construction: nothing is left allocated.
        return nullptr;
    }
}

}  // namespace

extern "C" {

__attribute__((visibility("default"))) AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    return createEffect(audioMaster);
}

// C++ reserves the name `main`; the assembler name gives hosts the symbol they look for.
__attribute__((visibility("default"))) AEffect* vstMainEntry(audioMasterCallback audioMaster)
    __asm__("main");
AEffect* vstMainEntry(audioMasterCallback audioMaster) { return createEffect(audioMaster); }
}
