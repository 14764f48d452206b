#include "edit/PngWriter.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdint>
#include <vector>

namespace {

// Everything the libpng part needs, prepared outside it: libpng reports
// errors with longjmp, which must not cross C++ objects being built or torn
// down.
struct SPngJob {
    const Word* screens;
    int count;
    const CScreenRenderer* renderer;
    SSheetSize size;
    const FProgress* progress;
    std::vector<png_color> palette;
    std::vector<std::uint8_t>* band; // scale rows of the sheet
    std::string* out;
    bool cancelled = false;
};

void AppendOutput(png_structp png, png_bytep data, png_size_t length) {
    static_cast<std::string*>(png_get_io_ptr(png))
        ->append(reinterpret_cast<const char*>(data), length);
}

void FlushNothing(png_structp) {}

// Draws dot row `dotRow` of every screen of sheet row `sheetRow` into the
// band; the gap between them is already there.
void RenderBand(const SPngJob& job, int sheetRow, int dotRow) {
    const CScreenRenderer& renderer = *job.renderer;
    const size_t cellWidth = static_cast<size_t>(kScreenColumns + 1) * renderer.Scale();
    for (int column = 0; column < job.size.columns; ++column) {
        const int n = sheetRow * job.size.columns + column;
        if (n >= job.count)
            break;
        renderer.RenderDotRow(job.screens + static_cast<size_t>(n) * kWordsPerScreen, dotRow,
                              job.band->data() + column * cellWidth,
                              static_cast<size_t>(job.size.width));
    }
}

void WriteRows(png_structp png, const SPngJob& job) {
    const int scale = job.renderer->Scale();
    for (int y = 0; y < scale; ++y)
        png_write_row(png, job.band->data() + static_cast<size_t>(y) * job.size.width);
}

// libpng's errors end the job through its longjmp, and its warnings are
// of no use to anybody reading the program's output.
void FailQuietly(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void WarnNobody(png_structp, png_const_charp) {}

// Runs libpng over the job; false when libpng gave up.
bool WritePng(SPngJob& job) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailQuietly, WarnNobody);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, job.out, AppendOutput, FlushNothing);
    const int depth = job.palette.size() <= 2 ? 1 : 2;
    png_set_IHDR(png, info, static_cast<png_uint_32>(job.size.width),
                 static_cast<png_uint_32>(job.size.height), depth, PNG_COLOR_TYPE_PALETTE,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(png, info, job.palette.data(), static_cast<int>(job.palette.size()));
    // Rows of a few palette colours pack best unfiltered.
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_write_info(png, info);
    // The rows hold one index a byte; libpng packs them into `depth` bits.
    png_set_packing(png);

    const CScreenRenderer& renderer = *job.renderer;
    const std::uint8_t gap = renderer.GapIndex();
    for (int sheetRow = 0; sheetRow < job.size.rows; ++sheetRow) {
        if (sheetRow > 0) {
            std::fill(job.band->begin(), job.band->end(), gap);
            WriteRows(png, job);
        }
        std::fill(job.band->begin(), job.band->end(), gap);
        for (int dotRow = 0; dotRow < kScreenRows; ++dotRow) {
            RenderBand(job, sheetRow, dotRow);
            WriteRows(png, job);
        }
        const int done = std::min(job.count, (sheetRow + 1) * job.size.columns);
        if (*job.progress && !(*job.progress)(done, job.count)) {
            job.cancelled = true;
            break;
        }
    }
    if (!job.cancelled)
        png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

SSheetSize SheetSize(int count, const SRenderOptions& options, int columns) {
    const CScreenRenderer renderer(options);
    SSheetSize size;
    count = std::max(count, 1);
    size.columns = std::clamp(columns, kMinSheetColumns, std::min(count, kMaxSheetColumns));
    size.rows = (count + size.columns - 1) / size.columns;
    size.width = (size.columns * (kScreenColumns + 1) - 1) * renderer.Scale();
    size.height = (size.rows * (kScreenRows + 1) - 1) * renderer.Scale();
    return size;
}

bool SheetFits(const SSheetSize& size) {
    return size.width <= kMaxPngSide && size.height <= kMaxPngSide;
}

EEncodeStatus EncodePngSheet(const Word* screens, int count, const SRenderOptions& options,
                             int columns, const FProgress& progress, std::string& bytes) {
    bytes.clear();
    if (count < 1 || !SheetFits(SheetSize(count, options, columns)))
        return EEncodeStatus::Failed;
    const CScreenRenderer renderer(options);
    std::string out;
    std::vector<std::uint8_t> band;
    SPngJob job{screens,   count, &renderer, SheetSize(count, options, columns),
                &progress, {},    &band,     &out};
    for (const SRgb& colour : renderer.Palette(count > 1))
        job.palette.push_back(png_color{colour.r, colour.g, colour.b});
    band.assign(static_cast<size_t>(job.size.width) * renderer.Scale(), renderer.GapIndex());
    if (!WritePng(job))
        return EEncodeStatus::Failed;
    if (job.cancelled)
        return EEncodeStatus::Cancelled;
    bytes = std::move(out);
    return EEncodeStatus::Done;
}
