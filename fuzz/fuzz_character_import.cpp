// Character import with the FreeType rasterizer and the machine's fonts on
// arbitrary code page 932 bytes: each character of the bytes placed with the
// font of either size, then the same bytes typed into the box and imported
// by "文字取込".

#include "edit/CharacterImport.h"
#include "fuzz/FuzzSupport.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    CFuzzBytes input(data, size);
    const std::uint8_t flags = input.Byte();
    const int fontSize = (flags & 1) != 0 ? 32 : 16;
    // A few more bytes than the boxes take, so that slots past the 48
    // columns are tried too.
    const std::string_view text = input.Take(12);
    CHeadlessSession session;
    CComposition composition{};
    for (const SCharacterAt& character : SplitCharacters(text)) {
        if (character.offset < 0 || static_cast<size_t>(character.offset) >= text.size())
            std::abort();
        const EPlaceResult result =
            PlaceCharacter(session.View(), composition, fontSize, character.code, character.offset);
        if (result != EPlaceResult::Placed && result != EPlaceResult::NoGlyph &&
            result != EPlaceResult::TooLarge)
            std::abort();
    }
    if (fontSize == 16) {
        // The lower band only: the upper rows of a 16x16 composition stay dark.
        for (Word column : composition)
            if ((column & 0xFFFFu) != 0)
                std::abort();
    }

    CHeadlessSession typed;
    CScreenStore& s = typed.View().Store();
    (fontSize == 32 ? s.m_form.text32 : s.m_form.text16) = std::string(input.Rest().substr(0, 12));
    if (fontSize == 32)
        ImportCharacters32(typed.View());
    else
        ImportCharacters16(typed.View());
    CheckStoreInvariants(typed);
    return 0;
}
