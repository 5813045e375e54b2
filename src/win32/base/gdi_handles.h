#pragma once
// Move-only owners of a GDI object (font, pen, brush, bitmap) and an icon.
#include <windows.h>

#include "win32/base/unique_handle.h"

namespace varnel::win {

using GdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;
using IconHandle = UniqueHandle<HICON, &DestroyIcon>;

}  // namespace varnel::win
