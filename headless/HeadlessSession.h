#pragma once

#include "app/Dispatcher.h"
#include "app/QuorvelDoc.h"
#include "edit/FreeTypeRasterizer.h"
#include "headless/HeadlessPlatform.h"
#include "store/ViewCore.h"

#include <string>
#include <vector>

// The editor as it stands right after start-up, without a window: a headless
// platform that records every call and answers dialogs from its queues, the
// document, the view core with ten blank screens in each bank, and the
// dispatcher that clicks reach it through. The import fonts are those of an
// empty "Font" settings section, so that a session does not depend on whose
// settings it runs with; characters are drawn by the FreeType rasterizer
// with the machine's fonts (a test may give the view another rasterizer).
// Tests, glowmotion-cli and the benchmarks all start here.
class CHeadlessSession {
public:
    CHeadlessSession();
    CHeadlessSession(const CHeadlessSession&) = delete;
    CHeadlessSession& operator=(const CHeadlessSession&) = delete;

    CHeadlessPlatform& Platform() { return m_platform; }
    const CHeadlessPlatform& Platform() const { return m_platform; }
    CQuorvelDoc& Doc() { return m_doc; }
    CViewCore& View() { return m_view; }
    const CViewCore& View() const { return m_view; }
    CDispatcher& Dispatcher() { return m_dispatcher; }

    // How many message boxes were shown so far: a mark for MessagesSince.
    size_t MessageCount() const { return m_platform.messages.size(); }
    // The texts of the message boxes shown since `mark`.
    std::vector<std::string> MessagesSince(size_t mark) const;

private:
    CHeadlessPlatform m_platform;
    CQuorvelDoc m_doc;
    CFreeTypeRasterizer m_rasterizer;
    CViewCore m_view;
    CDispatcher m_dispatcher;
};
