// CHankakuEdit: an edit for half-width input (codes): the input method is closed whenever
// the edit gets the focus.
#pragma once

#include "ImeCtrl.h"
#include "ImeModeEdit.h"

namespace moji {

class CHankakuEdit : public CImeModeEdit {
 public:
  CHankakuEdit() : CImeModeEdit(CImeCtrl::kImeClose) {}
};

}  // namespace moji
