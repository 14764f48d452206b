#pragma once

// The macro step codes, named after the operation each one replays. The
// numbers are those written into macro code strings and .mcr files; they
// never change. The codes of the option buttons are not in button order.
enum class EStep : int {
    None = 0, // no step: the command is never recorded
    ScrollUp = 1,
    ScrollDown = 2,
    ReverseOrder = 3,
    ScrollLeft = 4,
    ScrollRight = 5,
    CopyToAll = 6,
    GoToLast = 7,
    GoToFirst = 8,
    Select1 = 9,
    Select2 = 10,
    Select3 = 11,
    ImportCharacters16 = 12,
    CopyScreen = 13,
    CopyRange = 14,
    CutScreen = 15,
    CutRange = 16,
    PasteScreen = 17,
    PasteRange = 18,
    ReverseScreen = 19,
    ReverseRange = 20,
    InsertSpace = 21,
    AppendSpace = 22,
    DeleteSpace = 23,
    DropLastScreen = 24,
    AndScreen = 25,
    AndRange = 26,
    OrScreen = 27,
    OrRange = 28,
    CurtainOpen = 29,
    CurtainClose = 30,
    TopBottomClose = 31,
    BitmapImport = 32,
    BitUp = 33,
    BitDown = 34,
    MoveLeft16 = 35,
    MoveRight16 = 36,
    BitLeft = 37,
    BitRight = 38,
    ImportCharacters32 = 39,
    RotateTop16 = 40,
    RotateBottom16 = 41,
    TopBottomOpen = 42,
};

// How many step codes there are: 1 .. kStepCodeCount.
inline constexpr int kStepCodeCount = 42;

// The number of a step code.
constexpr int StepNumber(EStep step) {
    return static_cast<int>(step);
}
