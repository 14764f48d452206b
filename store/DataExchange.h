#pragma once

#include <optional>
#include <string_view>

class CScreenStore;
class CPlatform;

// The form's data exchange, in the order the form declares it: current
// screen, 16x16 text (at most 6 bytes), recording flag, step count, break
// step, 32x32 text (at most 3 bytes), break flag, displayed screen counts,
// bank current screens, range check of the current screen against the
// current bank's count, bank buttons. See CViewCore::UpdateData.
bool ExchangeData(CScreenStore& store, CPlatform& platform, bool saveAndValidate);

// The integer of an edit's text as the form reads it: blanks around a
// decimal number with an optional sign. nullopt when the text is no integer.
std::optional<int> ParseFormInt(std::string_view text);
