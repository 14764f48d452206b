#include "edit/FreeTypeRasterizer.h"

#include "edit/PixelFont.h"
#include "store/Cp932.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// The character set of a Japanese description (SHIFTJIS_CHARSET).
constexpr unsigned char kShiftJisCharSet = 128;
// The pitch bits of lfPitchAndFamily, and their fixed-pitch value.
constexpr unsigned char kPitchMask = 0x03;
constexpr unsigned char kFixedPitch = 1;
// The cell height a description without a height gets.
constexpr int kDefaultCellHeight = 16;
// Descriptions whose fonts stay loaded: both import sizes, with room for a
// font dialog's tries.
constexpr size_t kMaxLoadedFonts = 4;
// Families of text lines whose fonts stay loaded: the three sizes' fonts,
// with room for a dialog's tries.
constexpr size_t kMaxTextFaces = 4;

// One loaded font: the description it was made for, the FreeType face at the
// description's size (nullptr when no font could be had), and what
// fontconfig asks to synthesize.
struct SLoadedFont {
    CLogFont description;
    FT_Face face = nullptr;
    std::string family; // the first family name of the font fontconfig chose
    bool embolden = false;
    bool transformed = false;
    FT_Matrix matrix{0x10000, 0, 0, 0x10000};
};

// The value of lfWeight on fontconfig's scale; 0 (any weight) gives none.
std::optional<int> FontconfigWeight(int weight) {
    if (weight <= 0)
        return std::nullopt;
    return static_cast<int>(FcWeightFromOpenTypeDouble(std::clamp(weight, 1, 1000)));
}

// Sizes the face as the description's height asks; false when FreeType
// refuses the size.
bool SetHeight(FT_Face face, int height) {
    if (height < 0)
        return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(-static_cast<long>(height))) == 0;
    if (!FT_IS_SCALABLE(face))
        return face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) == 0;
    // A cell height: ascender plus descender of the face come to it.
    FT_Size_RequestRec request{};
    request.type = FT_SIZE_REQUEST_TYPE_REAL_DIM;
    request.height = static_cast<FT_Long>(height == 0 ? kDefaultCellHeight : height) * 64;
    return FT_Request_Size(face, &request) == 0;
}

// The ascent of the face at its size, in whole pixels. FreeType rounds the
// size's ascender up; the nearest pixel, as a GDI font's ascent is taken,
// keeps the bottom row of a 16-pixel IPAGothic kanji inside a 16-row band.
int Ascent(FT_Face face) {
    const FT_Pos ascender = FT_IS_SCALABLE(face)
                                ? FT_MulFix(face->ascender, face->size->metrics.y_scale)
                                : face->size->metrics.ascender;
    return static_cast<int>((ascender + 32) >> 6);
}

// The black box of a rendered glyph slot, or nullopt for a bitmap this
// program cannot read.
std::optional<SGlyph> GlyphOf(const FT_GlyphSlot slot, int ascent) {
    const FT_Bitmap& bitmap = slot->bitmap;
    SGlyph glyph;
    glyph.ascent = ascent;
    if (bitmap.width == 0 || bitmap.rows == 0) {
        // A blank glyph: one dot of black box, and no dot in it.
        glyph.ClearBox(1, 1);
        return glyph;
    }
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
        return std::nullopt;
    glyph.ClearBox(static_cast<int>(bitmap.width), static_cast<int>(bitmap.rows));
    glyph.originX = slot->bitmap_left;
    glyph.originY = slot->bitmap_top;
    const int stride = std::abs(bitmap.pitch);
    for (int r = 0; r < glyph.blackBoxY; ++r) {
        // A negative pitch means the rows are stored bottom first.
        const int stored = bitmap.pitch >= 0 ? r : glyph.blackBoxY - 1 - r;
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(stored) * stride;
        for (int k = 0; k < glyph.blackBoxX; ++k) {
            const bool set = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                                 ? (row[k / 8] & (0x80 >> (k % 8))) != 0
                                 : row[k] >= 128;
            if (set)
                glyph.SetDot(k, r);
        }
    }
    return glyph;
}

// One loaded font of text lines: the family asked for, the face of the
// installed font that has it (nullptr when none has), its native pixel
// sizes, and the pixel size it is set to now.
struct STextFace {
    std::string family;
    FT_Face face = nullptr;
    std::vector<int> nativeSizes;
    int setSize = 0;
};

// The family name as fontconfig takes it: `fc-list : family` prints "-" and
// a few other characters behind a backslash ("Unifont\-JP"), which a user
// may copy as it stands.
std::string UnescapedFamily(const std::string& family) {
    std::string plain;
    for (size_t i = 0; i < family.size(); ++i) {
        if (family[i] == '\\' && i + 1 < family.size())
            ++i;
        plain += family[i];
    }
    return plain;
}

// A family name as fontconfig compares family names: without blanks, ASCII
// letters in lower case.
std::string FamilyKey(std::string_view family) {
    std::string key;
    for (const char c : family)
        if (c != ' ')
            key += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return key;
}

// Whether `match` has `family` among its family names.
bool HasFamily(FcPattern* match, const std::string& family) {
    const std::string wanted = FamilyKey(family);
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (FamilyKey(reinterpret_cast<const char*>(name)) == wanted)
            return true;
    return false;
}

// The row of the baseline on a line `size` dots high: the face's ascender
// and descender share the line out between them.
int Baseline(FT_Face face, int size) {
    long ascender = face->ascender;
    long descender = face->descender;
    if (!FT_IS_SCALABLE(face)) {
        ascender = face->size->metrics.ascender;
        descender = face->size->metrics.descender;
    }
    if (ascender - descender <= 0)
        return size;
    return static_cast<int>(std::lround(static_cast<double>(size) * static_cast<double>(ascender) /
                                        static_cast<double>(ascender - descender)));
}

// `glyph` with every dot made a `factor` x `factor` block, its origin and
// advance scaled with it.
SGlyph ScaledGlyph(const SGlyph& glyph, int factor) {
    SGlyph scaled;
    scaled.ClearBox(glyph.blackBoxX * factor, glyph.blackBoxY * factor);
    scaled.originX = glyph.originX * factor;
    scaled.originY = glyph.originY * factor;
    scaled.ascent = glyph.ascent * factor;
    scaled.advance = glyph.advance * factor;
    for (int r = 0; r < scaled.blackBoxY; ++r)
        for (int k = 0; k < scaled.blackBoxX; ++k)
            if (glyph.Dot(k / factor, r / factor))
                scaled.SetDot(k, r);
    return scaled;
}

// The fontconfig configuration with the machine's fonts, loaded by the first
// rasterizer that needs it and shared by all that follow: loading it reads
// every configuration file and font cache, which costs far more than the
// characters drawn with it. It is released when the process ends (rasterizers
// never use it from their destructors); matching on it is safe from several
// threads.
class CSharedFontConfig {
public:
    CSharedFontConfig() : m_config(FcInitLoadConfigAndFonts()) {}
    ~CSharedFontConfig() {
        if (m_config != nullptr)
            FcConfigDestroy(m_config);
    }
    CSharedFontConfig(const CSharedFontConfig&) = delete;
    CSharedFontConfig& operator=(const CSharedFontConfig&) = delete;

    // nullptr when fontconfig could not start.
    FcConfig* Get() const { return m_config; }

private:
    FcConfig* m_config;
};

FcConfig* SharedFontConfig() {
    static const CSharedFontConfig shared;
    return shared.Get();
}

// The font fontconfig matches to a description, as character import uses it;
// nullptr when there is none. The caller destroys the pattern.
FcPattern* MatchFont(FcConfig* config, const CLogFont& description) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr)
        return nullptr;
    if (!description.faceName.empty())
        FcPatternAddString(pattern, FC_FAMILY,
                           reinterpret_cast<const FcChar8*>(description.faceName.c_str()));
    // Without the language, a Japanese face name fontconfig does not know
    // resolves to a Latin font.
    if (description.charSet == kShiftJisCharSet)
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    if (const std::optional<int> weight = FontconfigWeight(description.weight))
        FcPatternAddInteger(pattern, FC_WEIGHT, *weight);
    if (description.italic != 0)
        FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
    if ((description.pitchAndFamily & kPitchMask) == kFixedPitch)
        FcPatternAddInteger(pattern, FC_SPACING, FC_MONO);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);

    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcPatternDestroy(pattern);
    return match;
}

// The FreeType face of the font file fontconfig chose in `match`; nullptr
// when the match names no file or FreeType cannot open it.
FT_Face OpenMatchedFace(FT_Library library, FcPattern* match) {
    FcChar8* file = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &file) != FcResultMatch)
        return nullptr;
    int index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FT_Face face = nullptr;
    if (FT_New_Face(library, reinterpret_cast<const char*>(file), index, &face) != 0)
        return nullptr;
    return face;
}

} // namespace

class CFreeTypeRasterizer::CImpl {
public:
    ~CImpl() {
        for (SLoadedFont& font : m_fonts)
            Release(font.face);
        for (STextFace& text : m_textFaces)
            Release(text.face);
        if (m_library != nullptr)
            FT_Done_FreeType(m_library);
    }

    std::optional<SGlyph> Rasterize(const CLogFont& description, unsigned code) {
        const SLoadedFont* font = FontFor(description);
        if (font == nullptr || font->face == nullptr)
            return std::nullopt;
        const std::optional<char32_t> character = Cp932CharacterToUnicode(code);
        if (!character)
            return std::nullopt;
        FT_Face face = font->face;
        const FT_UInt index = FT_Get_Char_Index(face, *character);
        if (index == 0)
            return std::nullopt;

        FT_Set_Transform(face, font->transformed ? const_cast<FT_Matrix*>(&font->matrix) : nullptr,
                         nullptr);
        FT_Int32 flags = FT_LOAD_TARGET_MONO;
        // Synthesized glyphs come from the outline, never a stored bitmap.
        if (font->embolden || font->transformed)
            flags |= FT_LOAD_NO_BITMAP;
        if (FT_Load_Glyph(face, index, flags) != 0)
            return std::nullopt;
        if (font->embolden)
            FT_GlyphSlot_Embolden(face->glyph);
        if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
            return std::nullopt;
        return GlyphOf(face->glyph, Ascent(face));
    }

    std::optional<SGlyph> RasterizeText(const STextFont& font, char32_t character) {
        if (font.size <= 0)
            return std::nullopt;
        STextFace* text = TextFaceFor(font.family);
        if (text == nullptr || text->face == nullptr)
            return std::nullopt;
        FT_Face face = text->face;
        // A pixel font is drawn at a native size that divides the line's
        // height and scaled up by whole dots (see LineSizing).
        const SLineSizing sizing =
            LineSizing(text->nativeSizes, FT_IS_SCALABLE(face) != 0, font.size);
        const int drawn = sizing.drawn;
        if (text->setSize != drawn) {
            if (!SetPixelSize(face, drawn))
                return std::nullopt;
            text->setSize = drawn;
        }
        FT_Set_Transform(face, nullptr, nullptr);
        // Glyph 0, the font's missing glyph, stands for what the font lacks.
        const FT_UInt index = FT_Get_Char_Index(face, character);
        if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0)
            return std::nullopt;
        if (face->glyph->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(face->glyph, FT_RENDER_MODE_MONO) != 0)
            return std::nullopt;
        std::optional<SGlyph> glyph = GlyphOf(face->glyph, Baseline(face, drawn));
        if (!glyph)
            return std::nullopt;
        glyph->advance = static_cast<int>((face->glyph->advance.x + 32) >> 6);
        // A missing glyph without a width would vanish from the line.
        if (index == 0 && glyph->advance <= 0)
            glyph->advance = std::max((drawn + 1) / 2, glyph->originX + glyph->blackBoxX);
        if (sizing.scale > 1)
            return ScaledGlyph(*glyph, sizing.scale);
        return glyph;
    }

    std::string FamilyOf(const CLogFont& description) {
        const SLoadedFont* font = FontFor(description);
        return font != nullptr && font->face != nullptr ? font->family : std::string();
    }

private:
    // Sizes `face` to `pixels` an em: a bitmap-only face by choosing the
    // strike of that size. False when FreeType refuses.
    static bool SetPixelSize(FT_Face face, int pixels) {
        if (FT_IS_SCALABLE(face))
            return FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) == 0;
        for (FT_Int i = 0; i < face->num_fixed_sizes; ++i)
            if (((face->available_sizes[i].y_ppem + 32) >> 6) == pixels)
                return FT_Select_Size(face, i) == 0;
        return false;
    }

    // The loaded font of a text family, loading it first when it is new.
    STextFace* TextFaceFor(const std::string& family) {
        return Cached(
            m_textFaces, kMaxTextFaces,
            [&](const STextFace& text) { return text.family == family; },
            [&] { return LoadText(family); });
    }

    // The installed font of `family`; a face of nullptr when no installed
    // font has that family, for fontconfig's stand-ins do not count.
    STextFace LoadText(const std::string& family) {
        STextFace text;
        text.family = family;
        const std::string plain = UnescapedFamily(family);
        if (plain.empty())
            return text;
        FcPattern* pattern = FcPatternCreate();
        if (pattern == nullptr)
            return text;
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(plain.c_str()));
        FcConfigSubstitute(m_config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(m_config, pattern, &result);
        FcPatternDestroy(pattern);
        if (match == nullptr)
            return text;
        if (HasFamily(match, plain))
            text.face = OpenMatchedFace(m_library, match);
        FcPatternDestroy(match);
        if (text.face == nullptr)
            return text;
        if (FT_Select_Charmap(text.face, FT_ENCODING_UNICODE) != 0) {
            Release(text.face);
            return text;
        }
        text.nativeSizes = NativePixelSizes(text.face);
        return text;
    }

    // The loaded font of a description, loading it first when it is new.
    const SLoadedFont* FontFor(const CLogFont& description) {
        return Cached(
            m_fonts, kMaxLoadedFonts,
            [&](const SLoadedFont& font) { return font.description == description; },
            [&] { return Load(description); });
    }

    // The entry of `cache` that `matches`, made the most recently used (the
    // last); when none does, the one `load` gives, after the oldest (the
    // first) has gone if the cache holds `limit` already. nullptr when
    // FreeType or fontconfig cannot be started.
    template <class T, class FMatches, class FLoad>
    T* Cached(std::vector<T>& cache, size_t limit, FMatches matches, FLoad load) {
        if (const auto it = std::find_if(cache.begin(), cache.end(), matches); it != cache.end()) {
            std::rotate(it, it + 1, cache.end());
            return &cache.back();
        }
        if (!Start())
            return nullptr;
        if (cache.size() >= limit) {
            Release(cache.front().face);
            cache.erase(cache.begin());
        }
        cache.push_back(load());
        return &cache.back();
    }

    bool Start() {
        if (m_library == nullptr && FT_Init_FreeType(&m_library) != 0)
            m_library = nullptr;
        if (m_config == nullptr)
            m_config = SharedFontConfig();
        return m_library != nullptr && m_config != nullptr;
    }

    SLoadedFont Load(const CLogFont& description) {
        SLoadedFont font;
        font.description = description;
        FcPattern* match = MatchFont(m_config, description);
        if (match == nullptr)
            return font;
        FcBool embolden = FcFalse;
        FcMatrix* matrix = nullptr;
        FcChar8* family = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &family) == FcResultMatch)
            font.family = reinterpret_cast<const char*>(family);
        font.face = OpenMatchedFace(m_library, match);
        if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch)
            font.embolden = embolden != FcFalse;
        if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch &&
            matrix != nullptr) {
            font.matrix = {static_cast<FT_Fixed>(matrix->xx * 0x10000),
                           static_cast<FT_Fixed>(matrix->xy * 0x10000),
                           static_cast<FT_Fixed>(matrix->yx * 0x10000),
                           static_cast<FT_Fixed>(matrix->yy * 0x10000)};
            font.transformed =
                matrix->xx != 1 || matrix->xy != 0 || matrix->yx != 0 || matrix->yy != 1;
        }
        FcPatternDestroy(match);

        if (font.face != nullptr && (FT_Select_Charmap(font.face, FT_ENCODING_UNICODE) != 0 ||
                                     !SetHeight(font.face, description.height)))
            Release(font.face);
        return font;
    }

    static void Release(FT_Face& face) {
        if (face != nullptr)
            FT_Done_Face(face);
        face = nullptr;
    }

    FT_Library m_library = nullptr;
    FcConfig* m_config = nullptr;
    std::vector<SLoadedFont> m_fonts;
    std::vector<STextFace> m_textFaces;
};

CFreeTypeRasterizer::CFreeTypeRasterizer() : m_impl(std::make_unique<CImpl>()) {}

CFreeTypeRasterizer::~CFreeTypeRasterizer() = default;

std::optional<SGlyph> CFreeTypeRasterizer::Rasterize(const CLogFont& font, unsigned code) {
    return m_impl->Rasterize(font, code);
}

std::optional<SGlyph> CFreeTypeRasterizer::RasterizeText(const STextFont& font,
                                                         char32_t character) {
    return m_impl->RasterizeText(font, character);
}

std::string CFreeTypeRasterizer::FamilyOf(const CLogFont& font) {
    return m_impl->FamilyOf(font);
}

std::vector<std::string> InstalledFontFamilies() {
    std::vector<std::string> families;
    FcConfig* config = SharedFontConfig();
    if (config == nullptr)
        return families;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts =
        pattern != nullptr && objects != nullptr ? FcFontList(config, pattern, objects) : nullptr;
    if (fonts != nullptr) {
        for (int i = 0; i < fonts->nfont; ++i) {
            FcChar8* family = nullptr;
            if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
                families.emplace_back(reinterpret_cast<const char*>(family));
        }
        FcFontSetDestroy(fonts);
    }
    if (objects != nullptr)
        FcObjectSetDestroy(objects);
    if (pattern != nullptr)
        FcPatternDestroy(pattern);
    std::sort(families.begin(), families.end());
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}
