#include "app/CommandInventory.h"

#include "store/CommandIds.h"
#include "store/FindById.h"

#include <array>

namespace {

const std::array kTexts = {
    SCommandText{ID_FILE_NEW, "新規作成(&N)\tCtrl+N", "新規にﾌｧｲﾙを作成", "新規ﾌｧｲﾙ"},
    SCommandText{ID_FILE_OPEN, "開く(&O)...\tCtrl+O", "既存のﾌｧｲﾙを開く", "開く"},
    SCommandText{ID_FILE_SAVE, "上書き保存(&S)\tCtrl+S", "作業中のﾌｧｲﾙを上書きして保存",
                 "上書き保存"},
    SCommandText{ID_FILE_SAVE_AS, "名前を付けて保存(&A)...", "作業中のﾌｧｲﾙに名前を付けて保存",
                 "名前をつけて保存"},
    SCommandText{ID_APP_EXIT, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", "ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示", "終了"},
    SCommandText{
        ID_EDIT_CUT, "切り取り(&T)\tCtrl+X",
        "表示スクリーンを切り取って保存　+SHIFT表示スクリーン→最終スクリーンを切り取って保存",
        "切り取り"},
    SCommandText{ID_EDIT_COPY, "ｺﾋﾟｰ(&C)\tCtrl+C",
                 "表示スクリーンをｺﾋﾟｰして保存　+SHIFT表示スクリーン→最終スクリーンをｺﾋﾟｰして保存",
                 "ｺﾋﾟ-"},
    SCommandText{ID_EDIT_PASTE, "貼り付け(&P)\tCtrl+V",
                 "保存の内容を貼り付け　+SHIFT保存の全内容を貼り付け", "貼り付け"},
    SCommandText{ID_EDIT_UNDO, "元に戻す(&U)\tCtrl+Z", kUndoPrompt, nullptr},
    SCommandText{ID_EDIT_REDO, "やり直し(&R)\tCtrl+Y", kRedoPrompt, nullptr},
    SCommandText{ID_VIEW_TOOLBAR, "ﾂｰﾙ ﾊﾞｰ(&T)", "ﾂｰﾙ ﾊﾞｰの表示/非表示", "ﾂｰﾙ ﾊﾞｰの表示/非表示"},
    SCommandText{ID_VIEW_STATUS_BAR, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示",
                 "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示"},
    SCommandText{ID_VIEW_ONION_SKIN, "オニオンスキン(&O)",
                 "前のスクリーンの点灯ドットを薄く重ねて表示/非表示", nullptr},
    SCommandText{
        ID_AND, "AND",
        "表示スクリーン select1 AND select2 = select3　+SHIFT表示スクリーン→最終スクリーン "
        "select1 AND select2 = select3",
        "合成"},
    SCommandText{ID_OR, "OR",
                 "表示スクリーン select1 OR select2 = select3　+SHIFT表示スクリーン→最終スクリーン "
                 "select1 OR select2 = select3",
                 "合成"},
    SCommandText{ID_BITMAP_IMPORT, "Bitmap取込", nullptr, nullptr},
    SCommandText{ID_BITMAP_SAVE, "Bitmap保存", nullptr, nullptr},
    SCommandText{ID_APP_ABOUT, "ﾊﾞｰｼﾞｮﾝ情報(Glowmotion) (&A)...",
                 "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示", "ﾊﾞｰｼﾞｮﾝ情報"},
    SCommandText{ID_REVERSE, nullptr, "表示スクリーン反転　+SHIFT表示スクリーン→最終スクリーン反転",
                 "反転"},
    SCommandText{ID_SPACE_INSERT, nullptr,
                 "表示スクリーンスペース挿入　+SHIFT最終スクリーンスペース追加", "スペース挿入"},
    SCommandText{ID_SPACE_DELETE, nullptr,
                 "表示スクリーンスペース削除　+SHIFT最終スクリーンペース削除", "スペース削除"},
    SCommandText{ID_FONT16, nullptr, "取込文字のﾌｫﾝﾄ", "ﾌｫﾝﾄ"},
    SCommandText{ID_FONT32, nullptr, nullptr, nullptr},
    // Exchange with other programs.
    SCommandText{ID_EXPORT_GIF, "GIFアニメ保存...", "スクリーンをGIFアニメで保存", nullptr},
    SCommandText{ID_EXPORT_PNG, "PNG保存...", "スクリーンをPNG画像で保存", nullptr},
    SCommandText{ID_EXPORT_CSOURCE, "Cソース保存...", "スクリーンをCの配列で保存", nullptr},
    SCommandText{ID_IMPORT_GIF, "GIFアニメ取込...", "GIFアニメを表示スクリーンから取込", nullptr},
    SCommandText{ID_TEXT_SCROLL, "テキストスクロール...", "流れる文字を表示スクリーンから作成",
                 nullptr},
    // Live output to an LED sign.
    SCommandText{ID_OUTPUT_SETTINGS, "LED出力設定...", "LEDサインへの出力先、色、配線を設定",
                 nullptr},
    SCommandText{ID_OUTPUT_LIVE, "LED出力(&O)", "表示中のスクリーンをLEDサインへ出力/停止",
                 nullptr},
    // Drawing tools, watching the animation and the preview's speed.
    SCommandText{ID_TOOL_PEN, "ペン(&P)\tP",
                 "ドラッグした跡のドットを描画　左ボタン点灯、右ボタン消灯", "ペン"},
    SCommandText{ID_TOOL_LINE, "直線(&L)\tL",
                 "押した点から離した点まで直線を描画　左ボタン点灯、右ボタン消灯", "直線"},
    SCommandText{ID_TOOL_RECTANGLE, "四角形(&R)\tR",
                 "押した点と離した点を角とする四角形の枠を描画　左ボタン点灯、右ボタン消灯",
                 "四角形"},
    SCommandText{ID_TOOL_FILL, "塗りつぶし(&B)\tB",
                 "クリックした点とつながる同じ状態の領域を塗りつぶし　左ボタン点灯、右ボタン消灯",
                 "塗りつぶし"},
    SCommandText{ID_VIEW_SIGN_WINDOW, "LED看板ウィンドウ(&L)",
                 "表示スクリーンをLED看板の見え方で別ウィンドウに表示/非表示", nullptr},
    SCommandText{ID_VIEW_FILMSTRIP, "フィルムストリップ(&F)",
                 "バンクのスクリーンの縮小一覧を表示/非表示", nullptr},
    SCommandText{ID_VIEW_SPEED_50, "50 ms", "TESTでスクリーンを50ミリ秒ごとに再生", nullptr},
    SCommandText{ID_VIEW_SPEED_100, "100 ms", "TESTでスクリーンを100ミリ秒ごとに再生", nullptr},
    SCommandText{ID_VIEW_SPEED_200, "200 ms", "TESTでスクリーンを200ミリ秒ごとに再生", nullptr},
    SCommandText{ID_VIEW_SPEED_500, "500 ms", "TESTでスクリーンを500ミリ秒ごとに再生", nullptr},
};

const std::array kAccelerators = {
    SAccelerator{ID_FILE_NEW, "Ctrl+N"},
    SAccelerator{ID_FILE_OPEN, "Ctrl+O"},
    SAccelerator{ID_FILE_SAVE, "Ctrl+S"},
    SAccelerator{ID_EDIT_CUT, "Ctrl+X"},
    SAccelerator{ID_EDIT_COPY, "Ctrl+C"},
    SAccelerator{ID_EDIT_PASTE, "Ctrl+V"},
    // The keys with SHIFT in them reach the SHIFT forms.
    SAccelerator{ID_EDIT_CUT, "Shift+Del", true},
    SAccelerator{ID_EDIT_COPY, "Ctrl+Ins"},
    SAccelerator{ID_EDIT_PASTE, "Shift+Ins", true},
    SAccelerator{ID_EDIT_UNDO, "Ctrl+Z"},
    SAccelerator{ID_EDIT_REDO, "Ctrl+Y"},
    SAccelerator{ID_EDIT_REDO, "Ctrl+Shift+Z"},
    SAccelerator{ID_EDIT_CUT, "Ctrl+Shift+X", true},
    SAccelerator{ID_EDIT_COPY, "Ctrl+Shift+C", true},
    SAccelerator{ID_EDIT_PASTE, "Ctrl+Shift+V", true},
    SAccelerator{ID_EDIT_CUT, "Ctrl+Shift+Del", true},
    SAccelerator{ID_EDIT_COPY, "Ctrl+Shift+Ins", true},
    // Moving between screens as the buttons beside the screen scroll bar do,
    // the preview, and the drawing tools. Plain keys: an edit box with the
    // focus keeps them.
    SAccelerator{ID_NEXT_SCREEN, "PgDown"},
    SAccelerator{ID_PREVIOUS_SCREEN, "PgUp"},
    SAccelerator{IDC_FIRST_SCREEN, "Home"},
    SAccelerator{IDC_LAST_SCREEN, "End"},
    SAccelerator{IDC_PLAY, "F5"},
    SAccelerator{ID_TOOL_PEN, "P"},
    SAccelerator{ID_TOOL_LINE, "L"},
    SAccelerator{ID_TOOL_RECTANGLE, "R"},
    SAccelerator{ID_TOOL_FILL, "B"},
};

using M = EMenuEntry;

const std::array kMenuBar = {
    SMenuEntry{M::Popup, 0, "ﾌｧｲﾙ(&F)"},
    SMenuEntry{M::Command, ID_FILE_NEW},
    SMenuEntry{M::Command, ID_FILE_OPEN},
    SMenuEntry{M::Command, ID_FILE_SAVE},
    SMenuEntry{M::Command, ID_FILE_SAVE_AS},
    SMenuEntry{M::Separator},
    SMenuEntry{M::RecentFiles},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Command, ID_APP_EXIT},
    SMenuEntry{M::End},
    SMenuEntry{M::Popup, 0, "編集(&E)"},
    SMenuEntry{M::Command, ID_EDIT_CUT},
    SMenuEntry{M::Command, ID_EDIT_COPY},
    SMenuEntry{M::Command, ID_EDIT_PASTE},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Command, ID_EDIT_UNDO},
    SMenuEntry{M::Command, ID_EDIT_REDO},
    SMenuEntry{M::End},
    SMenuEntry{M::Popup, 0, "表示(&V)"},
    SMenuEntry{M::Command, ID_VIEW_TOOLBAR},
    SMenuEntry{M::Command, ID_VIEW_STATUS_BAR},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Command, ID_VIEW_ONION_SKIN},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Command, ID_VIEW_SIGN_WINDOW},
    SMenuEntry{M::Command, ID_VIEW_FILMSTRIP},
    SMenuEntry{M::Popup, 0, "再生速度(&S)"},
    SMenuEntry{M::Command, ID_VIEW_SPEED_50},
    SMenuEntry{M::Command, ID_VIEW_SPEED_100},
    SMenuEntry{M::Command, ID_VIEW_SPEED_200},
    SMenuEntry{M::Command, ID_VIEW_SPEED_500},
    SMenuEntry{M::End},
    SMenuEntry{M::End},
    SMenuEntry{M::Popup, 0, "変換(&C)"},
    SMenuEntry{M::Popup, 0, "合成"},
    SMenuEntry{M::Command, ID_AND},
    SMenuEntry{M::Command, ID_OR},
    SMenuEntry{M::End},
    SMenuEntry{M::End},
    SMenuEntry{M::Popup, 0, "ﾂｰﾙ(&T)"},
    SMenuEntry{M::Command, ID_BITMAP_IMPORT},
    SMenuEntry{M::Command, ID_BITMAP_SAVE},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Command, ID_EXPORT_GIF},
    SMenuEntry{M::Command, ID_EXPORT_PNG},
    SMenuEntry{M::Command, ID_EXPORT_CSOURCE},
    SMenuEntry{M::Command, ID_IMPORT_GIF},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Command, ID_TEXT_SCROLL},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Command, ID_OUTPUT_SETTINGS},
    SMenuEntry{M::Command, ID_OUTPUT_LIVE},
    SMenuEntry{M::Separator},
    SMenuEntry{M::Popup, 0, "描画ツール(&D)"},
    SMenuEntry{M::Command, ID_TOOL_PEN},
    SMenuEntry{M::Command, ID_TOOL_LINE},
    SMenuEntry{M::Command, ID_TOOL_RECTANGLE},
    SMenuEntry{M::Command, ID_TOOL_FILL},
    SMenuEntry{M::End},
    SMenuEntry{M::End},
    SMenuEntry{M::Popup, 0, "ﾍﾙﾌﾟ(&H)"},
    SMenuEntry{M::Command, ID_APP_ABOUT},
    SMenuEntry{M::End},
};

// The rows follow the groups between the separators.
// clang-format off
const std::array kToolbar = {
    ID_FILE_NEW,  ID_FILE_OPEN,    ID_FILE_SAVE,    0,
    ID_EDIT_CUT,  ID_EDIT_COPY,    ID_EDIT_PASTE,   0,
    ID_REVERSE,   ID_SPACE_INSERT, ID_SPACE_DELETE, 0,
    ID_AND,       ID_OR,           ID_FONT32,       ID_FONT16,
    ID_APP_ABOUT, 0,
    ID_TOOL_PEN,  ID_TOOL_LINE,    ID_TOOL_RECTANGLE, ID_TOOL_FILL,
};
// clang-format on

} // namespace

std::span<const SCommandText> CommandTexts() {
    return kTexts;
}

const SCommandText* FindCommandText(int id) {
    return FindById(kTexts, id);
}

std::span<const SAccelerator> Accelerators() {
    return kAccelerators;
}

std::span<const SMenuEntry> MenuBar() {
    return kMenuBar;
}

std::span<const int> ToolbarButtons() {
    return kToolbar;
}

bool IsFrameCommand(int id) {
    switch (id) {
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_APP_EXIT:
    case ID_VIEW_TOOLBAR:
    case ID_VIEW_STATUS_BAR:
    case ID_VIEW_ONION_SKIN:
    case ID_APP_ABOUT:
    case ID_EXPORT_GIF:
    case ID_EXPORT_PNG:
    case ID_EXPORT_CSOURCE:
    case ID_IMPORT_GIF:
    case ID_TEXT_SCROLL:
    case ID_OUTPUT_SETTINGS:
    case ID_OUTPUT_LIVE:
    case ID_VIEW_SIGN_WINDOW:
    case ID_VIEW_FILMSTRIP:
    case ID_VIEW_SPEED_50:
    case ID_VIEW_SPEED_100:
    case ID_VIEW_SPEED_200:
    case ID_VIEW_SPEED_500:
        return true;
    default:
        return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE5;
    }
}
