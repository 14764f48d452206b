#pragma once

#include "app/QuorvelDoc.h"
#include "store/Dispatcher.h"
#include "store/HeadlessPlatform.h"
#include "store/ViewCore.h"

#include <filesystem>
#include <string>

// A freshly started editor without a window: headless platform, document,
// view core and its dispatch table, with the first New already done.
struct CTestSession {
    CTestSession();

    CHeadlessPlatform platform;
    CQuorvelDoc doc;
    CViewCore view;
    CDispatcher dispatch;

    CScreenStore& s() { return view.Store(); }

    // Clicks a button (BN_CLICKED); for the push-like check boxes and radio
    // buttons the control first takes its new state, as a real click does.
    void Click(int id);

    // Screen n of bank b as 48 column words.
    std::vector<Word> Screen(int bank, int n) const;

    // Texts of the message boxes shown so far.
    std::vector<std::string> MessageTexts() const;
};

// A temporary folder removed with the object.
class CTempDir {
public:
    CTempDir();
    ~CTempDir();
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    const std::filesystem::path& Dir() const { return m_dir; }

private:
    std::filesystem::path m_dir;
};

// Writes `bytes` to `path`.
void WriteBytes(const std::string& path, const std::string& bytes);

// The whole content of the file at `path`.
std::string ReadBytes(const std::string& path);
