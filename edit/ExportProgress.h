#pragma once

#include <functional>

// Told during a long export or import that `done` of `total` units of work
// (screens, or bytes of a file read) are finished. Returning false cancels the work, which then
// leaves everything as it was. An empty function never cancels.
using FProgress = std::function<bool(int done, int total)>;

// How an encoder ended.
enum class EEncodeStatus {
    Done,
    Cancelled, // the progress function asked to stop
    Failed,    // the codec library refused (out of memory)
};
