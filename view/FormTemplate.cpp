#include "view/FormTemplate.h"

#include "store/CommandIds.h"
#include "store/FindById.h"

#include <array>

namespace {

using K = EControlKind;

constexpr CDluRect kFormSize{0, 0, 571, 427};

const std::array kControls = {
    SFormControl{IDC_GRID_FRAME, K::GroupBox, "", {44, 36, 165, 129}, false},
    SFormControl{-1, K::Picture, "mark1", {99, 30, 1, 5}},
    SFormControl{-1, K::Picture, "mark2", {153, 30, 1, 5}},
    SFormControl{IDC_CURRENT_SCREEN, K::ReadOnlyEdit, "", {45, 166, 17, 12}},
    SFormControl{IDC_SCREEN_SCROLL, K::HScrollBar, "", {72, 166, 128, 12}},
    SFormControl{IDC_RESET, K::PushButton, "RESET", {253, 39, 25, 82}},
    SFormControl{IDC_SELECT1, K::RadioButton, "select1", {290, 39, 27, 22}, true, true},
    SFormControl{IDC_SELECT2, K::RadioButton, "select2", {290, 69, 27, 22}},
    SFormControl{IDC_SELECT3, K::RadioButton, "select3", {290, 99, 27, 22}},
    SFormControl{-1, K::Label, "セル数", {331, 28, 32, 12}},
    SFormControl{-1, K::Label, "カレント", {370, 28, 32, 12}},
    SFormControl{IDC_BANK1_COUNT, K::ReadOnlyEdit, "", {332, 45, 17, 12}},
    SFormControl{IDC_BANK2_COUNT, K::ReadOnlyEdit, "", {332, 75, 17, 12}},
    SFormControl{IDC_BANK3_COUNT, K::ReadOnlyEdit, "", {332, 105, 17, 12}},
    SFormControl{IDC_BANK1_CURRENT, K::ReadOnlyEdit, "", {372, 45, 17, 12}},
    SFormControl{IDC_BANK2_CURRENT, K::ReadOnlyEdit, "", {372, 75, 17, 12}},
    SFormControl{IDC_BANK3_CURRENT, K::ReadOnlyEdit, "", {372, 105, 17, 12}},
    SFormControl{-1, K::Label, "３２×３２ドット", {263, 150, 60, 8}},
    SFormControl{IDC_TEXT32, K::Edit, "", {248, 164, 66, 12}},
    SFormControl{IDC_IMPORT32, K::PushButton, "文字取込", {264, 182, 35, 14}},
    SFormControl{-1, K::Label, "１６×１６ドット", {350, 150, 60, 8}},
    SFormControl{IDC_TEXT16, K::Edit, "", {336, 164, 66, 12}},
    SFormControl{IDC_IMPORT16, K::PushButton, "文字取込", {352, 182, 35, 14}},
    SFormControl{-1, K::Label, "ビット移動", {119, 197, 47, 12}},
    SFormControl{IDC_BIT_VSCROLL, K::VScrollBar, "", {131, 210, 8, 31}},
    SFormControl{IDC_MOVE_LEFT16, K::PushButton, "＜", {100, 220, 19, 10}},
    SFormControl{IDC_BIT_HSCROLL, K::HScrollBar, "", {120, 220, 27, 10}},
    SFormControl{IDC_MOVE_RIGHT16, K::PushButton, "＞", {148, 220, 19, 10}},
    SFormControl{-1, K::GroupBox, "スクリーン編集", {314, 216, 129, 197}},
    SFormControl{IDC_BUTTON1, K::PushButton, "Button1", {323, 232, 27, 22}},
    SFormControl{-1, K::Label, "上へスクロール", {355, 238, 46, 8}},
    SFormControl{IDC_BUTTON2, K::PushButton, "Button2", {323, 262, 27, 22}},
    SFormControl{-1, K::Label, "下へスクロール", {355, 270, 46, 8}},
    SFormControl{IDC_BUTTON3, K::PushButton, "Button3", {323, 292, 27, 22}},
    SFormControl{-1, K::Label, "前後反転", {355, 298, 46, 8}},
    SFormControl{IDC_BUTTON4, K::PushButton, "Button4", {324, 324, 27, 22}},
    SFormControl{-1, K::Label, "左へスクロール", {355, 330, 64, 8}},
    SFormControl{IDC_BUTTON5, K::PushButton, "Button5", {324, 354, 27, 22}},
    SFormControl{-1, K::Label, "右へスクロール", {355, 362, 64, 8}},
    SFormControl{IDC_BUTTON6, K::PushButton, "Button6", {324, 384, 27, 22}},
    SFormControl{-1, K::Label, "全スクリーンへコピー", {355, 390, 64, 8}},
    SFormControl{-1, K::GroupBox, "ＯＰＴＩＯＮ", {457, 216, 106, 197}},
    SFormControl{IDC_OPTION1, K::PushButton, "Option1", {466, 232, 27, 22}},
    SFormControl{-1, K::Label, "カーテンオープン", {499, 237, 58, 8}},
    SFormControl{IDC_OPTION2, K::PushButton, "Option2", {466, 262, 27, 22}},
    SFormControl{-1, K::Label, "カーテンクローズ", {499, 270, 58, 8}},
    SFormControl{IDC_OPTION3, K::PushButton, "Option3", {466, 292, 27, 22}},
    SFormControl{-1, K::Label, "上下オープン", {499, 300, 58, 8}},
    SFormControl{IDC_OPTION4, K::PushButton, "Option4", {466, 324, 27, 22}},
    SFormControl{-1, K::Label, "上下クローズ", {499, 330, 58, 8}},
    SFormControl{IDC_OPTION5, K::PushButton, "Option5", {466, 354, 27, 22}},
    SFormControl{-1, K::Label, "上１６ドット回転", {499, 362, 58, 8}},
    SFormControl{IDC_OPTION6, K::PushButton, "Option6", {467, 384, 27, 22}},
    SFormControl{-1, K::Label, "下１６ドット回転", {499, 394, 58, 8}},
    SFormControl{-1, K::GroupBox, "マクロ編集", {14, 247, 286, 166}},
    SFormControl{-1, K::LabelRight, "ステップ数", {89, 265, 32, 8}},
    SFormControl{IDC_STEP_COUNT, K::Edit, "", {125, 263, 28, 12}},
    SFormControl{-1, K::LabelRight, "ブレイク", {159, 265, 32, 8}},
    SFormControl{IDC_BREAK_STEP, K::Edit, "", {195, 263, 28, 12}},
    SFormControl{IDC_MACRO_RECORD, K::CheckButton, "MacroRecord", {24, 281, 56, 15}},
    SFormControl{IDC_MACRO_START, K::PushButton, "MacroStart", {24, 305, 56, 15}},
    SFormControl{IDC_MACRO_CLEAR, K::PushButton, "MacroClear", {24, 331, 56, 15}},
    SFormControl{IDC_MACRO_SAVE, K::PushButton, "MacroSave", {24, 355, 56, 15}},
    SFormControl{IDC_MACRO_LOAD, K::PushButton, "MacroLoad", {24, 381, 56, 15}},
    SFormControl{IDC_MACRO_LIST, K::ListBox, "", {88, 281, 139, 115}},
    SFormControl{IDC_MACRO_INS, K::PushButton, "MacroIns", {235, 281, 56, 15}},
    SFormControl{IDC_MACRO_DEL, K::PushButton, "MacroDel", {235, 305, 56, 15}},
    SFormControl{IDC_MACRO_BREAK, K::CheckButton, "MacroBreak", {235, 331, 56, 15}},
    SFormControl{IDC_MACRO_EXPORT, K::PushButton, "MacroExport", {235, 355, 56, 15}},
    SFormControl{IDC_OPTIMIZE, K::PushButton, "optimization", {235, 381, 56, 15}},
};

const std::array kBitmapButtons = {
    SBitmapButton{IDC_PLAY, {780, 69, 923, 212}, "IDB_BITMAP1", "IDB_BITMAP2"},
    SBitmapButton{IDC_LAST_SCREEN, {350, 249, 366, 267}, "IDB_BITMAPFD", "IDB_BITMAPFE"},
    SBitmapButton{IDC_FIRST_SCREEN, {110, 249, 126, 267}, "IDB_BITMAPRD", "IDB_BITMAPRE"},
};

// a * num / den rounded half away from zero, as Windows' MulDiv rounds.
int MulDiv(int a, int num, int den) {
    const long long product = static_cast<long long>(a) * num;
    const long long half = den / 2;
    return static_cast<int>(product >= 0 ? (product + half) / den : -((-product + half) / den));
}

} // namespace

std::span<const SFormControl> FormControls() {
    return kControls;
}

std::span<const SBitmapButton> FormBitmapButtons() {
    return kBitmapButtons;
}

const SFormControl* FindFormControl(int id) {
    return FindById(kControls, id);
}

int RadioButtonIndex(int id) {
    int index = -1;
    for (const SFormControl& control : kControls) {
        if (control.kind != K::RadioButton)
            continue;
        index = control.groupStart ? 0 : index + 1;
        if (control.id == id)
            return index;
    }
    return -1;
}

CRect DluToPixels(const CDluRect& rect) {
    return CRect{MulDiv(rect.x, 7, 4), MulDiv(rect.y, 12, 8), MulDiv(rect.x + rect.cx, 7, 4),
                 MulDiv(rect.y + rect.cy, 12, 8)};
}

CRect FormPixelRect() {
    return DluToPixels(kFormSize);
}

CRect GridRectangle() {
    return DluToPixels(FindFormControl(IDC_GRID_FRAME)->rect);
}
