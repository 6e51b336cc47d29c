// What the effect tells its editor. The editor registers itself while it exists; every call
// comes on the thread that changed the effect (the host's or the editor's).
#pragma once

class CalorvaneEditorLink {
public:
    virtual ~CalorvaneEditorLink() = default;
    virtual void setParameter(int index, float value) = 0;
    virtual void showPresetName(const char* name) = 0;
    virtual void showLatency() = 0;
    virtual void resetMeters() = 0;
};
