// Pixel sizes of dialog units in a template's font, from a dialog of our own made with the
// same size and font, for checking the size of a program's form view.
#pragma once

#include <windows.h>

#include <vector>

namespace moji::gui {

class CDialogUnits {
 public:
  CDialogUnits(short width, short height, const wchar_t* face, WORD points) {
    // DLGTEMPLATE, no menu, default class, no title, then the font (DS_SETFONT).
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    auto* dlg = reinterpret_cast<DLGTEMPLATE*>(words.data());
    dlg->style = WS_POPUP | DS_SETFONT;
    dlg->cx = width;
    dlg->cy = height;
    words.insert(words.end(), {0, 0, 0, points});
    for (const wchar_t* c = face; *c; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    words.resize(words.size() + words.size() % 2);
    m_dialog = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()),
                                          nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  }
  ~CDialogUnits() {
    if (m_dialog) DestroyWindow(m_dialog);
  }
  CDialogUnits(const CDialogUnits&) = delete;
  CDialogUnits& operator=(const CDialogUnits&) = delete;

  bool Valid() const { return m_dialog != nullptr; }
  SIZE Pixels(int x, int y) const {
    RECT r{0, 0, x, y};
    MapDialogRect(m_dialog, &r);
    return SIZE{r.right, r.bottom};
  }

 private:
  HWND m_dialog = nullptr;
};

}  // namespace moji::gui
