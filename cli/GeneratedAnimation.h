#pragma once

#include <functional>
#include <ostream>
#include <string>

class CViewCore;

// Writes an animation that `fill` makes from nothing: `fill` writes screens
// into the empty bank on display of a fresh session (as GIF import or the
// scrolling text do in the editor), and the bank is then written to `out`.
// When `fill` fails, its messages (or "glowmotion-cli: cannot <what>") go to
// `err`, nothing is written and kExitFailed is returned; a file that cannot
// be written is reported the same way.
int WriteGeneratedAnimation(const std::function<bool(CViewCore&)>& fill, const std::string& what,
                            const std::string& out, std::ostream& err);
