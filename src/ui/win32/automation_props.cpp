#include "ui/win32/automation_props.h"

#include "ui/win32/automation.h"

namespace ui::win32 {

namespace automation = kesma::automation;

void SetAtomProp(HWND hwnd, const char* prop, const std::string& text) {
    if (ATOM old = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(hwnd, prop)))) GlobalDeleteAtom(old);
    if (ATOM atom = GlobalAddAtomA(text.c_str())) {
        SetPropA(hwnd, prop, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(atom)));
    }
}

void SetNumberProp(HWND hwnd, const char* prop, std::intptr_t stored) {
    SetPropA(hwnd, prop, reinterpret_cast<HANDLE>(stored));
}

void ClearProps(HWND hwnd) {
    for (const char* prop : {automation::kNameProp, automation::kKindProp}) {
        if (ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(RemovePropA(hwnd, prop)))) {
            GlobalDeleteAtom(atom);
        }
    }
    for (const char* prop : {automation::kForeProp, automation::kBackProp, automation::kValueProp,
                             automation::kMinProp, automation::kMaxProp}) {
        RemovePropA(hwnd, prop);
    }
}

}  // namespace ui::win32
