#pragma once

#include <string>

// One row of a preview: the current full name, the computed new one and whether an earlier
// item of the same list gets the same new name (compared without letter case).
struct PreviewEntry {
    std::string original;
    std::string preview;
    bool hasConflict = false;
    // Empty when the new name can be used; otherwise why it cannot (the rename refuses it
    // for the same reason).
    std::string problem;

    friend bool operator==(const PreviewEntry&, const PreviewEntry&) = default;
};
