#include "edit/CharacterImport.h"

#include "store/Cp932.h"
#include "store/FormValues.h"
#include "store/GlyphRasterizer.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// The caption the import's own failures have always shown.
constexpr const char* kImportCaption = "Lampgrid";

// The character the font commands try a font on: 薇 in Shift-JIS.
constexpr unsigned kTestCharacter = 0xE54E;

// The font description and font state of one import size.
struct SImportSize {
    int rows;          // the band: 16 or 32 rows
    int slotUnit;      // slot columns per byte of the text
    int maxBytes;      // the longest text of the size, in CP932 bytes
    CLogFont& font;    // the description the font dialog edits
    bool& fontExists;  // false once a failed character discarded the font
    std::string& text; // the character text of the size
};

SImportSize SizeOf(CViewCore& view, int size) {
    CScreenStore& s = view.Store();
    if (size == 32)
        return {32, 16, kText32MaxBytes, s.m_logFont32, s.m_importFont32, s.m_text32};
    return {16, 8, kText16MaxBytes, s.m_logFont16, s.m_importFont16, s.m_text16};
}

// Stops a running preview where it stands, as a failed character does.
void StopPreview(CViewCore& view) {
    view.Platform().SetPreviewTimer(false);
    view.Store().m_previewFlag = 0;
}

bool ImportCharacters(CViewCore& view, int size) {
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    if (s.m_playback != 0) {
        // A replayed step asks for its text again; Cancel keeps the old one.
        if (const std::optional<std::string> text = platform.AskCharacters(size)) {
            // The answer keeps the limit of the box it goes into, cut at a
            // character boundary as the dialog's edit cuts typing, whatever
            // dialog gave it: a longer text would draw past the screen.
            const SImportSize import = SizeOf(view, size);
            import.text = TruncateToCp932Bytes(*text, import.maxBytes);
            view.UpdateData(false);
        }
    }
    // As the form has always done, a failed check leaves the fields read
    // before it; the text box comes early and the import goes on.
    view.UpdateData(true);

    CComposition composition{};
    const std::string bytes = Utf8ToCp932(SizeOf(view, size).text);
    for (const SCharacterAt& character : SplitCharacters(bytes)) {
        const EPlaceResult result =
            PlaceCharacter(view, composition, size, character.code, character.offset);
        if (result == EPlaceResult::Placed)
            continue;
        StopPreview(view);
        platform.MessageBox(result == EPlaceResult::TooLarge ? "フォントが大きすぎます。"
                                                             : "TrueTypeの日本語を選んでください。",
                            kImportCaption, MB_OK | MB_ICONEXCLAMATION);
    }

    // The whole screen is replaced: a 16x16 import blanks the upper half.
    auto screen = s.CurrentScreenWords();
    for (int column = 0; column < kScreenColumns; ++column)
        screen[static_cast<size_t>(column)] = size == 16
                                                  ? composition[static_cast<size_t>(column)] >> 16
                                                  : composition[static_cast<size_t>(column)];
    view.RepaintGrid();
    view.SetModifiedFlag();
    return true;
}

} // namespace

std::vector<SCharacterAt> SplitCharacters(std::string_view cp932) {
    std::vector<SCharacterAt> characters;
    size_t p = 0;
    while (p < cp932.size()) {
        const std::string_view rest = cp932.substr(p);
        const size_t length = Cp932CharacterLength(rest);
        unsigned code = static_cast<unsigned char>(rest[0]);
        if (length == 2)
            code = code << 8 | static_cast<unsigned char>(rest[1]);
        characters.push_back({code, static_cast<int>(p)});
        p += length;
    }
    return characters;
}

EPlaceResult PlaceCharacter(CViewCore& view, CComposition& composition, int size, unsigned code,
                            int offset) {
    const SImportSize import = SizeOf(view, size);
    if (!import.fontExists)
        return EPlaceResult::NoGlyph;
    const std::optional<SGlyph> glyph = view.Rasterizer().Rasterize(import.font, code);
    if (!glyph) {
        import.fontExists = false;
        return EPlaceResult::NoGlyph;
    }
    if (glyph->blackBoxX > import.rows || glyph->blackBoxY > import.rows) {
        import.fontExists = false;
        return EPlaceResult::TooLarge;
    }

    const bool doubleByte = code > 0xFF;
    const int slotStart = import.slotUnit * offset;
    const int slotWidth = doubleByte ? 2 * import.slotUnit : import.slotUnit;
    for (int column = slotStart; column < slotStart + slotWidth; ++column)
        if (column >= 0 && column < kScreenColumns)
            composition[static_cast<size_t>(column)] = 0;

    // A 16x16 single-byte character keeps its first 8 black-box columns.
    const int placedColumns =
        size == 16 && !doubleByte ? std::min(glyph->blackBoxX, 8) : glyph->blackBoxX;
    for (int r = 0; r < glyph->blackBoxY; ++r) {
        const int row = glyph->ascent - glyph->originY + r;
        // Rows above the band are dropped like those below it.
        if (row < 0 || row >= import.rows)
            continue;
        for (int k = 0; k < placedColumns; ++k) {
            const int column = slotStart + glyph->originX + k;
            if (column >= 0 && column < kScreenColumns && glyph->Dot(k, r))
                composition[static_cast<size_t>(column)] |= DotMask(row);
        }
    }
    return EPlaceResult::Placed;
}

bool ImportCharacters16(CViewCore& view) {
    return ImportCharacters(view, 16);
}

bool ImportCharacters32(CViewCore& view) {
    return ImportCharacters(view, 32);
}

bool ChooseImportFont(CViewCore& view, int size) {
    const SImportSize import = SizeOf(view, size);
    CPlatform& platform = view.Platform();
    for (;;) {
        const bool chosen = platform.ChooseFont(import.font);
        if (chosen)
            import.fontExists = true;
        // The trial draws into a composition of its own: the next import
        // starts from a clear one anyway.
        CComposition trial{};
        const EPlaceResult result = PlaceCharacter(view, trial, size, kTestCharacter, 0);
        if (result == EPlaceResult::Placed)
            return true;
        platform.MessageBox(result == EPlaceResult::TooLarge ? "フォントが大きすぎます。"
                                                             : "日本語を選んでください。",
                            kErrorCaption, MB_OK | MB_ICONEXCLAMATION);
        // Cancel leaves: on a machine where no font passes, coming back
        // after Cancel too would hold the user in the dialog for good.
        if (!chosen)
            return true;
    }
}

bool ChooseImportFont16(CViewCore& view) {
    return ChooseImportFont(view, 16);
}

bool ChooseImportFont32(CViewCore& view) {
    return ChooseImportFont(view, 32);
}
