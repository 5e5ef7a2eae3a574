#pragma once

#include <cstdint>

namespace corvalen {

// Told how far a long task has come, so that the user sees it move and can stop it.
class Progress {
public:
    virtual ~Progress() = default;
    // `done` of `total` steps are done; false when the user asked to stop, and then the task
    // ends as soon as it can, leaving nothing half done behind.
    virtual bool Advance(std::int64_t done, std::int64_t total) = 0;
};

}  // namespace corvalen
