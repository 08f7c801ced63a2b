// CHirakanaEdit: an edit for readings: the input method is opened in full-width hiragana
// whenever the edit gets the focus. The text is checked with IsHiraganaText (Hiragana.h).
#pragma once

#include "ImeCtrl.h"
#include "ImeModeEdit.h"

namespace moji {

class CHirakanaEdit : public CImeModeEdit {
 public:
  CHirakanaEdit() : CImeModeEdit(CImeCtrl::kImeHiragana) {}
};

}  // namespace moji
