#include "edit/GifImport.h"

#include "edit/ScreenEditing.h"
#include "store/FileIo.h"
#include "store/MessageText.h"
#include "store/Platform.h"
#include "store/ViewCore.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Shows the message of a GIF that cannot be read; false for None.
bool ReportGifError(CPlatform& platform, EGifReadError error) {
    const char* text = nullptr;
    switch (error) {
    case EGifReadError::None:
        return false;
    case EGifReadError::NotGif:
        text = kNotGifText;
        break;
    case EGifReadError::Damaged:
        text = kDamagedGifText;
        break;
    case EGifReadError::TooLarge:
        text = kLargeGifText;
        break;
    }
    platform.MessageBox(text, kErrorCaption, MB_ICONEXCLAMATION);
    return true;
}

void ReportNoFrames(CPlatform& platform) {
    platform.MessageBox(kEmptyGifText, kErrorCaption, MB_ICONEXCLAMATION);
}

} // namespace

bool ReadGifFile(CPlatform& platform, const std::string& path, std::string& bytes) {
    const EFileError error = ReadFileLimited(path, kMaxGifFileBytes, bytes);
    if (error == EFileError::TooLarge) {
        platform.MessageBox(kLargeGifText, kErrorCaption, MB_ICONEXCLAMATION);
        return false;
    }
    ReportFileError(platform, path, error);
    return error == EFileError::None;
}

bool FirstGifFrame(CPlatform& platform, std::string_view bytes, SGreyImage& image) {
    bool found = false;
    const EGifReadError error = ReadGifFrames(bytes, [&](const SGreyImage& frame) {
        image = frame;
        found = true;
        return false;
    });
    if (ReportGifError(platform, error))
        return false;
    if (!found)
        ReportNoFrames(platform);
    return found;
}

bool CheckGifImport(CViewCore& view, std::string_view bytes) {
    const int first = view.Store().ScreenOnDisplay();
    // One frame past the room is enough to refuse.
    SGifOutline outline;
    if (ReportGifError(view.Platform(), ScanGif(bytes, kMaxScreens - first + 1, outline)))
        return false;
    if (outline.frames == 0) {
        ReportNoFrames(view.Platform());
        return false;
    }
    return view.CheckCapacity(first + outline.frames - 1);
}

bool ImportGif(CViewCore& view, std::string_view bytes, const SDotOptions& options,
               const FProgress& progress) {
    if (!CheckGifImport(view, bytes))
        return false;
    CScreenStore& s = view.Store();
    CPlatform& platform = view.Platform();
    const int first = s.ScreenOnDisplay();
    const int room = kMaxScreens - first + 1;

    // The frames are decoded aside; the bank is only touched once all of
    // them are known to be good and to fit.
    std::vector<Word> screens;
    std::optional<CDotConverter> converter;
    bool cancelled = false;
    const EGifReadError error = ReadGifFrames(
        bytes,
        [&](const SGreyImage& image) {
            if (!converter)
                converter.emplace(image.width, image.height, options);
            screens.resize(screens.size() + kWordsPerScreen);
            converter->Convert(image, screens.data() + screens.size() - kWordsPerScreen);
            // One frame past the room is enough to refuse.
            return static_cast<int>(screens.size() / kWordsPerScreen) <= room;
        },
        [&](size_t read, size_t total) {
            cancelled = progress && !progress(static_cast<int>(read), static_cast<int>(total));
            return !cancelled;
        });
    if (cancelled || ReportGifError(platform, error))
        return false;
    const int frames = static_cast<int>(screens.size() / kWordsPerScreen);
    if (frames == 0) {
        ReportNoFrames(platform);
        return false;
    }
    const int last = first + frames - 1;
    if (!view.CheckCapacity(last))
        return false;

    const int bank = s.m_currentBank;
    std::copy(screens.begin(), screens.end(), s.ScreensAt(bank, first, frames).begin());
    ShowWrittenScreens(view, first, last);
    return true;
}

bool ImportGifFile(CViewCore& view, const std::string& path, const SDotOptions& options,
                   const FProgress& progress) {
    std::string bytes;
    return ReadGifFile(view.Platform(), path, bytes) && ImportGif(view, bytes, options, progress);
}
