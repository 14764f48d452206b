#pragma once

// How glowmotion-cli ends. Scripts rely on these values.
inline constexpr int kExitOk = 0;     // the command did its work
inline constexpr int kExitFailed = 1; // a file could not be read or written, or was refused;
                                      // a text that cannot be written
inline constexpr int kExitUsage = 2;  // bad arguments, or a screen the file does not have
