#include "macro/StepTable.h"

#include <array>

namespace {

const std::array<SStep, kStepCodeCount> kSteps = {{
    {1, "上へスクロール"},
    {2, "下へスクロール"},
    {3, "前後反転"},
    {4, "左へスクロール"},
    {5, "右へスクロール"},
    {6, "全スクリーンへコピー"},
    {7, "最終"},
    {8, "最初"},
    {9, "セレクト１"},
    {10, "セレクト２"},
    {11, "セレクト３"},
    {12, "文字取込１６×１６ドット"},
    {13, "コピー"},
    {14, "コピー　＋ＳＨＩＦＴ"},
    {15, "カット"},
    {16, "カット　＋ＳＨＩＦＴ"},
    {17, "ペースト"},
    {18, "ペースト　＋ＳＨＩＦＴ"},
    {19, "リバース"},
    {20, "リバース　＋ＳＨＩＦＴ"},
    {21, "ＩＮＳ"},
    {22, "ＩＮＳ　＋ＳＨＩＦＴ"},
    {23, "ＤＥＬ"},
    {24, "ＤＥＬ　＋ＳＨＩＦＴ"},
    {25, "ＡＮＤ"},
    {26, "ＡＮＤ　＋ＳＨＩＦＴ"},
    {27, "ＯＲ"},
    {28, "ＯＲ　＋ＳＨＩＦＴ"},
    {29, "オプション１"},
    {30, "オプション２"},
    {31, "オプション４"},
    {32, "Ｂｉｔｍａｐ取込"},
    {33, "上へビット移動"},
    {34, "下へビット移動"},
    {35, "左へ１６ビット移動"},
    {36, "右へ１６ビット移動"},
    {37, "左へビット移動"},
    {38, "右へビット移動"},
    {39, "文字取込３２×３２ドット"},
    {40, "オプション５"},
    {41, "オプション６"},
    {42, "オプション３"},
}};

} // namespace

std::span<const SStep> StepTable() {
    return kSteps;
}

const SStep* FindStep(int code) {
    if (code < 1 || code > kStepCodeCount)
        return nullptr;
    return &kSteps[code - 1];
}

int StepCodeOf(std::string_view token) {
    if (token.empty() || token.size() > 2 || token[0] < '1' || token[0] > '9')
        return 0;
    int code = token[0] - '0';
    if (token.size() == 2) {
        if (token[1] < '0' || token[1] > '9')
            return 0;
        code = code * 10 + (token[1] - '0');
    }
    return code <= kStepCodeCount ? code : 0;
}
