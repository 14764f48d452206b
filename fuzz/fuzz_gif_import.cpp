// The GIF import path from arbitrary bytes: the first two bytes choose the
// threshold, inversion and fit, the first screen and whether a preview runs;
// the rest is the GIF, imported into the first bank.

#include "edit/GifImport.h"
#include "fuzz/FuzzSupport.h"
#include "view/Navigation.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    CFuzzBytes input(data, size);
    SDotOptions options;
    options.threshold = input.Byte();
    const std::uint8_t flags = input.Byte();
    options.invert = (flags & 1) != 0;
    options.fit = (flags & 2) != 0 ? EFit::Contain : EFit::Stretch;
    CHeadlessSession session;
    CScreenStore& s = session.View().Store();
    // Near the end of the bank, so that a few frames reach the capacity.
    if ((flags & 4) != 0) {
        s.m_screenCount[0] = 795;
        s.m_currentScreen = 790;
        s.m_bankCurrent[0] = 790;
    }
    if ((flags & 8) != 0)
        s.m_previewOffset = 3;
    int reports = 0;
    ImportGif(session.View(), input.Rest(), options, [&](size_t read, size_t total) {
        if (read > total)
            std::abort();
        // Cancels after a while when asked, as the progress dialog can.
        return (flags & 16) == 0 || ++reports < 3;
    });
    CheckStoreInvariants(session);
    return 0;
}
