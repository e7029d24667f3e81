#pragma once
// GDI+ for the life of the program: started before the first window,
// shut down after the last GDI+ object is gone.

#include <windows.h>
// GDI+ needs the COM stream types.
#include <objidl.h>
#include <gdiplus.h>

namespace kva::ui {

class GdiplusSession {
 public:
  GdiplusSession();
  ~GdiplusSession();
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;

  [[nodiscard]] bool IsStarted() const { return token_ != 0; }

 private:
  ULONG_PTR token_ = 0;
};

}  // namespace kva::ui
