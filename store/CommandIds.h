#pragma once

// Command identifiers of the menus, toolbar and accelerators, and control
// identifiers of the form. The numbers are the program's resource ids; macro
// files and settings do not store them, but they name every route through
// the dispatch table.

// Menu, toolbar and accelerator commands.
inline constexpr int ID_FILE_NEW = 57600;
inline constexpr int ID_FILE_OPEN = 57601;
inline constexpr int ID_FILE_SAVE = 57603;
inline constexpr int ID_FILE_SAVE_AS = 57604;
inline constexpr int ID_FILE_MRU_FILE1 = 57616;
inline constexpr int ID_FILE_MRU_FILE5 = 57620;
inline constexpr int ID_EDIT_COPY = 57634;
inline constexpr int ID_EDIT_CUT = 57635;
inline constexpr int ID_EDIT_PASTE = 57637;
inline constexpr int ID_APP_ABOUT = 57664;
inline constexpr int ID_APP_EXIT = 57665;
inline constexpr int ID_VIEW_TOOLBAR = 59392;
inline constexpr int ID_VIEW_STATUS_BAR = 59393;
inline constexpr int ID_REVERSE = 32772;
inline constexpr int ID_BITMAP_IMPORT = 32783;
inline constexpr int ID_SPACE_INSERT = 32784;
inline constexpr int ID_SPACE_DELETE = 32786;
inline constexpr int ID_BITMAP_SAVE = 32792;
inline constexpr int ID_AND = 32795;
inline constexpr int ID_OR = 32796;
inline constexpr int ID_FONT16 = 32798;
inline constexpr int ID_FONT32 = 32799;

// Commands of our own, past the resource set's: undo and redo ("編集(&E)")
// and the onion skin ("表示(&V)").
inline constexpr int ID_EDIT_UNDO = 32910;
inline constexpr int ID_EDIT_REDO = 32911;
inline constexpr int ID_VIEW_ONION_SKIN = 32912;
// The program's own additions, beyond the resource set: exchange with other
// programs (the end of the Tools menu).
inline constexpr int ID_EXPORT_GIF = 32900;
inline constexpr int ID_EXPORT_PNG = 32901;
inline constexpr int ID_EXPORT_CSOURCE = 32902;
inline constexpr int ID_IMPORT_GIF = 32903;
// Scrolling text, below a separator after them.
inline constexpr int ID_TEXT_SCROLL = 32904;
// Live output to an LED sign (the end of the Tools menu).
inline constexpr int ID_OUTPUT_SETTINGS = 32930;
inline constexpr int ID_OUTPUT_LIVE = 32931;
// The program's own additions for drawing and watching the animation: the
// drawing tools (the end of "ﾂｰﾙ(&T)" and of the toolbar), the sign window,
// the filmstrip and the preview speeds (the end of "表示(&V)"), and the
// Page Down and Page Up keys, which have no menu item.
inline constexpr int ID_TOOL_PEN = 32960;
inline constexpr int ID_TOOL_LINE = 32961;
inline constexpr int ID_TOOL_RECTANGLE = 32962;
inline constexpr int ID_TOOL_FILL = 32963;
inline constexpr int ID_VIEW_SIGN_WINDOW = 32964;
inline constexpr int ID_VIEW_FILMSTRIP = 32965;
inline constexpr int ID_VIEW_SPEED_50 = 32966;
inline constexpr int ID_VIEW_SPEED_100 = 32967;
inline constexpr int ID_VIEW_SPEED_200 = 32968;
inline constexpr int ID_VIEW_SPEED_500 = 32969;
inline constexpr int ID_NEXT_SCREEN = 32970;
inline constexpr int ID_PREVIOUS_SCREEN = 32971;

// Controls of the form.
inline constexpr int IDC_SCREEN_SCROLL = 1002;
inline constexpr int IDC_CURRENT_SCREEN = 1003;
inline constexpr int IDC_BANK1_CURRENT = 1004;
inline constexpr int IDC_BANK1_COUNT = 1005;
inline constexpr int IDC_TEXT16 = 1006;
inline constexpr int IDC_BANK2_CURRENT = 1007;
inline constexpr int IDC_BANK2_COUNT = 1008;
inline constexpr int IDC_BANK3_CURRENT = 1009;
inline constexpr int IDC_BANK3_COUNT = 1010;
inline constexpr int IDC_GRID_FRAME = 1011;
inline constexpr int IDC_TEXT32 = 1012;
inline constexpr int IDC_BUTTON6 = 1014;
inline constexpr int IDC_MOVE_LEFT16 = 1016;
inline constexpr int IDC_MOVE_RIGHT16 = 1017;
inline constexpr int IDC_SELECT1 = 1018;
inline constexpr int IDC_BUTTON1 = 1021;
inline constexpr int IDC_BUTTON2 = 1022;
inline constexpr int IDC_BUTTON3 = 1023;
inline constexpr int IDC_BUTTON4 = 1024;
inline constexpr int IDC_BUTTON5 = 1025;
inline constexpr int IDC_BIT_HSCROLL = 1031;
inline constexpr int IDC_BIT_VSCROLL = 1032;
inline constexpr int IDC_MACRO_RECORD = 1033;
inline constexpr int IDC_MACRO_START = 1034;
inline constexpr int IDC_MACRO_CLEAR = 1035;
inline constexpr int IDC_OPTIMIZE = 1037;
inline constexpr int IDC_MACRO_LIST = 1038;
inline constexpr int IDC_MACRO_SAVE = 1039;
inline constexpr int IDC_MACRO_LOAD = 1040;
inline constexpr int IDC_MACRO_INS = 1041;
inline constexpr int IDC_MACRO_DEL = 1042;
inline constexpr int IDC_MACRO_EXPORT = 1043;
inline constexpr int IDC_OPTION1 = 1044;
inline constexpr int IDC_OPTION2 = 1045;
inline constexpr int IDC_OPTION3 = 1046;
inline constexpr int IDC_OPTION4 = 1047;
inline constexpr int IDC_OPTION5 = 1048;
inline constexpr int IDC_OPTION6 = 1049;
inline constexpr int IDC_MACRO_BREAK = 1050;
inline constexpr int IDC_STEP_COUNT = 1051;
inline constexpr int IDC_BREAK_STEP = 1052;
inline constexpr int IDC_RESET = 1054;
inline constexpr int IDC_IMPORT16 = 1069;
inline constexpr int IDC_IMPORT32 = 1070;
inline constexpr int IDC_SELECT2 = 1090;
inline constexpr int IDC_SELECT3 = 1091;
inline constexpr int IDC_PLAY = 1100;
inline constexpr int IDC_LAST_SCREEN = 1126;
inline constexpr int IDC_FIRST_SCREEN = 1127;

// Scroll bar notification codes.
inline constexpr int SB_LINELEFT = 0;
inline constexpr int SB_LINEUP = 0;
inline constexpr int SB_LINERIGHT = 1;
inline constexpr int SB_LINEDOWN = 1;
inline constexpr int SB_PAGELEFT = 2;
inline constexpr int SB_PAGERIGHT = 3;
inline constexpr int SB_THUMBPOSITION = 4;
inline constexpr int SB_THUMBTRACK = 5;
inline constexpr int SB_LEFT = 6;
inline constexpr int SB_RIGHT = 7;
inline constexpr int SB_ENDSCROLL = 8;

// Key-state flags that come with a mouse message.
inline constexpr unsigned MK_LBUTTON = 0x0001;
inline constexpr unsigned MK_RBUTTON = 0x0002;
inline constexpr unsigned MK_SHIFT = 0x0004;
inline constexpr unsigned MK_CONTROL = 0x0008;
inline constexpr unsigned MK_MBUTTON = 0x0010;

// The view's only timer: the preview, one screen every 100 ms unless
// "再生速度" says otherwise.
inline constexpr int kPreviewTimerId = 1;
inline constexpr int kPreviewIntervalMs = 100;
