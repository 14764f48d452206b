// The .bmp import path from arbitrary bytes: "Bitmap取込" with the file chosen
// in its dialog, during a preview when the first byte is odd.

#include "edit/BitmapCodec.h"
#include "edit/BitmapCommands.h"
#include "fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    static CFuzzFile file("import.bmp");
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    file.Write(bytes);
    CHeadlessSession session;
    CScreenStore& s = session.View().Store();
    if (size > 0 && (data[0] & 1) != 0)
        s.m_previewOffset = 5;
    session.Platform().openFileAnswers.emplace_back(file.Path());
    ImportBitmap(session.View());
    CheckStoreInvariants(session);
    // A decoded screen encodes back to a file that decodes to the same dots.
    if (const auto screen = DecodeBitmap(bytes)) {
        const auto again = DecodeBitmap(EncodeBitmap(*screen));
        if (!again || *again != *screen)
            std::abort();
    }
    return 0;
}
