#include "macro/StepTable.h"

#include "view/Navigation.h"

#include <array>

namespace {

void ReplaySelect1(CViewCore& v) {
    SelectBank(v, 0);
}
void ReplaySelect2(CViewCore& v) {
    SelectBank(v, 1);
}
void ReplaySelect3(CViewCore& v) {
    SelectBank(v, 2);
}

const std::array<SStep, kStepCodeCount> kSteps = {{
    {1, "上へスクロール", nullptr},
    {2, "下へスクロール", nullptr},
    {3, "前後反転", nullptr},
    {4, "左へスクロール", nullptr},
    {5, "右へスクロール", nullptr},
    {6, "全スクリーンへコピー", nullptr},
    {7, "最終", GoToLast},
    {8, "最初", GoToFirst},
    {9, "セレクト１", ReplaySelect1},
    {10, "セレクト２", ReplaySelect2},
    {11, "セレクト３", ReplaySelect3},
    {12, "文字取込１６×１６ドット", nullptr},
    {13, "コピー", nullptr},
    {14, "コピー　＋ＳＨＩＦＴ", nullptr},
    {15, "カット", nullptr},
    {16, "カット　＋ＳＨＩＦＴ", nullptr},
    {17, "ペースト", nullptr},
    {18, "ペースト　＋ＳＨＩＦＴ", nullptr},
    {19, "リバース", nullptr},
    {20, "リバース　＋ＳＨＩＦＴ", nullptr},
    {21, "ＩＮＳ", nullptr},
    {22, "ＩＮＳ　＋ＳＨＩＦＴ", nullptr},
    {23, "ＤＥＬ", nullptr},
    {24, "ＤＥＬ　＋ＳＨＩＦＴ", nullptr},
    {25, "ＡＮＤ", nullptr},
    {26, "ＡＮＤ　＋ＳＨＩＦＴ", nullptr},
    {27, "ＯＲ", nullptr},
    {28, "ＯＲ　＋ＳＨＩＦＴ", nullptr},
    {29, "オプション１", nullptr},
    {30, "オプション２", nullptr},
    {31, "オプション４", nullptr},
    {32, "Ｂｉｔｍａｐ取込", nullptr},
    {33, "上へビット移動", nullptr},
    {34, "下へビット移動", nullptr},
    {35, "左へ１６ビット移動", nullptr},
    {36, "右へ１６ビット移動", nullptr},
    {37, "左へビット移動", nullptr},
    {38, "右へビット移動", nullptr},
    {39, "文字取込３２×３２ドット", nullptr},
    {40, "オプション５", nullptr},
    {41, "オプション６", nullptr},
    {42, "オプション３", nullptr},
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
