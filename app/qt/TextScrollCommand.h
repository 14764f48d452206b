#pragma once

class CViewCore;
class QWidget;

// "テキストスクロール..." of the Tools menu: the options dialog with its
// preview (CTextScrollDlg, answered by ExchangeDialogHook in tests), opened
// on the choices of last time; on OK the choices are kept and the screens
// written into the bank on display from the screen on display on, as one
// undo record. What is written, and every refusal with its message, is the
// core's (WriteScrollingText); a refused write changes nothing.
void RunTextScrollCommand(QWidget* parent, CViewCore& view);
