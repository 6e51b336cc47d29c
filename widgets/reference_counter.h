// Shared ownership as the toolkit does it: the count starts at 1, the last `forget` deletes.
#pragma once

namespace VSTGUI {

class CReferenceCounter {
public:
    CReferenceCounter() = default;
    virtual ~CReferenceCounter() = default;
    CReferenceCounter(const CReferenceCounter&) = delete;
    CReferenceCounter& operator=(const CReferenceCounter&) = delete;

    virtual void forget() {
        if (--references == 0) delete this;
    }
    virtual void remember() { ++references; }
    int getNbReference() const { return references; }

private:
    int references = 1;
};

}  // namespace VSTGUI
