// What is being dragged over the frame: the dragged data and its number of items.
#pragma once

#include <string>
#include <vector>

#include "widgets/reference_counter.h"

namespace VSTGUI {

class CDragContainer : public CReferenceCounter {
public:
    // A list of files counts one item per file; any other data counts as one item.
    explicit CDragContainer(std::vector<std::string> files) : files(std::move(files)) {}
    int getCount() const { return files.empty() ? 1 : static_cast<int>(files.size()); }
    const std::vector<std::string>& getFiles() const { return files; }

private:
    std::vector<std::string> files;
};

}  // namespace VSTGUI
