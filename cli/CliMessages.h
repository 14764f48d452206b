#pragma once

#include <cstddef>
#include <ostream>
#include <string>

class CHeadlessSession;

// Writes the text of every message box `session` showed since `mark`, one a
// line. Writes `fallback` instead when there were none, so that a failure is
// never silent.
void PrintMessagesSince(const CHeadlessSession& session, size_t mark, std::ostream& err,
                        const std::string& fallback);
