#pragma once

class CViewCore;

// Moving through the animation: the screen scroll bar, the first and last
// buttons, the bank buttons, the go-to-screen step and RESET. None of these
// changes a dot, except RESET. The operations return true: their buttons
// always record their steps.

// The screen scroll bar (control 1002) sent `code` (SB_*) with the thumb at
// `thumbPosition`. A paused or running preview first makes the screen on
// display current. Line and page moves that change the screen and every
// thumb-track notification record a go-to-screen step.
void OnScreenScroll(CViewCore& view, int code, int thumbPosition);

// Page Down and Page Up: the right and left arrows of the screen scroll bar,
// that is SB_LINERIGHT or SB_LINELEFT and the SB_ENDSCROLL that follows, with
// their limits and the go-to-screen step they record.
bool NextScreen(CViewCore& view);
bool PreviousScreen(CViewCore& view);

// Makes screen 1 of the current bank current.
bool GoToFirst(CViewCore& view);

// Makes the last screen of the current bank current (screen 1 of an empty
// bank).
bool GoToLast(CViewCore& view);

// Makes bank `bank` (0..2) current at the screen it was left on; the bank
// that was on display keeps its current screen.
void SelectBank(CViewCore& view, int bank);

// SelectBank for select1, select2 and select3.
bool Select1(CViewCore& view);
bool Select2(CViewCore& view);
bool Select3(CViewCore& view);

// The go-to-screen step: makes screen `screen` (1..800) of the current bank
// current without checking it against the screen count.
void GoToScreen(CViewCore& view, int screen);

// RESET: after "ＲＥＳＥＴしますか？" is answered Yes, every bank holds ten
// blank screens, select1 screen 1 is current and both clips are blank. The
// macro, the range clip count and the document's screens are left alone;
// the action record of a click marks the banks RESET changed, so that their
// files are not left behind without a question.
bool Reset(CViewCore& view);

// Before a command that works on the current screen runs from a click or
// a mouse press: when the grid shows another screen (a preview, paused or
// running, stands at an offset), that screen becomes the current one, as if
// the user had gone there with the scroll bar, and while recording the
// go-to-screen step is recorded (not while an insert waits for its step,
// which goes where the insert was asked). Nothing happens at offset 0. The
// form is left as it is: the preview already shows the screen in its boxes,
// and what the user typed there stays for the command to read.
void TakeScreenOnDisplay(CViewCore& view);
