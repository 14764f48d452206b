#pragma once

#include "app/QuorvelDoc.h"
#include "store/HeadlessPlatform.h"
#include "store/ViewCore.h"

#include <cstddef>
#include <ostream>

// The editor as it stands right after start-up, without a window: a headless
// platform that answers every message box with OK (Yes to a question) and
// cancels every dialog it has no answer for, the document, and the view with
// ten blank screens in each bank. The import fonts are the defaults of an
// empty "Font" settings section, so that a replay does not depend on whose
// machine runs it.
class CCliSession {
public:
    CCliSession();
    CCliSession(const CCliSession&) = delete;
    CCliSession& operator=(const CCliSession&) = delete;

    CHeadlessPlatform& Platform() { return m_platform; }
    CQuorvelDoc& Doc() { return m_doc; }
    CViewCore& View() { return m_view; }

    // How many message boxes were shown so far; a mark for PrintMessagesSince.
    size_t MessageCount() const { return m_platform.messages.size(); }

    // Writes the text of every message box shown since `mark`, one a line,
    // control characters escaped (EscapedText). Writes `fallback` instead
    // when there were none, so that a failure is never silent.
    void PrintMessagesSince(size_t mark, std::ostream& err, const std::string& fallback) const;

private:
    CHeadlessPlatform m_platform;
    CQuorvelDoc m_doc;
    CViewCore m_view;
};
