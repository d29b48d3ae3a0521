#pragma once

#include <dlfcn.h>

namespace wispen::test {

// Real pointer and key input, made by the X server's test extension. Both libraries are loaded at run time,
// so the build needs no X headers and a machine without the extension skips the test.
class XTestInput {
 public:
  XTestInput() {
    x11_ = dlopen("libX11.so.6", RTLD_NOW);
    xtst_ = dlopen("libXtst.so.6", RTLD_NOW);
    if (x11_ == nullptr || xtst_ == nullptr) return;
    open_ = reinterpret_cast<OpenDisplay>(dlsym(x11_, "XOpenDisplay"));
    close_ = reinterpret_cast<CloseDisplay>(dlsym(x11_, "XCloseDisplay"));
    flush_ = reinterpret_cast<Flush>(dlsym(x11_, "XFlush"));
    motion_ = reinterpret_cast<FakeMotion>(dlsym(xtst_, "XTestFakeMotionEvent"));
    button_ = reinterpret_cast<FakeButton>(dlsym(xtst_, "XTestFakeButtonEvent"));
    key_ = reinterpret_cast<FakeKey>(dlsym(xtst_, "XTestFakeKeyEvent"));
    keysym_ = reinterpret_cast<StringToKeysym>(dlsym(x11_, "XStringToKeysym"));
    keycode_ = reinterpret_cast<KeysymToKeycode>(dlsym(x11_, "XKeysymToKeycode"));
    if (open_ && close_ && flush_ && motion_ && button_ && key_ && keysym_ && keycode_)
      display_ = open_(nullptr);
  }
  ~XTestInput() {
    if (display_ != nullptr) close_(display_);
    if (xtst_ != nullptr) dlclose(xtst_);
    if (x11_ != nullptr) dlclose(x11_);
  }
  XTestInput(const XTestInput&) = delete;
  XTestInput& operator=(const XTestInput&) = delete;

  bool Ready() const { return display_ != nullptr; }
  void MoveTo(int x, int y) {
    motion_(display_, 0, x, y, 0);
    flush_(display_);
  }
  void Left(bool down) {
    button_(display_, 1, down ? 1 : 0, 0);
    flush_(display_);
  }
  // Presses and lets go a key named as X names it ("Escape", "Return").
  void Key(const char* name) {
    const unsigned code = keycode_(display_, keysym_(name));
    key_(display_, code, 1, 0);
    key_(display_, code, 0, 0);
    flush_(display_);
  }

 private:
  using OpenDisplay = void* (*)(const char*);
  using CloseDisplay = int (*)(void*);
  using Flush = int (*)(void*);
  using FakeMotion = int (*)(void*, int, int, int, unsigned long);
  using FakeButton = int (*)(void*, unsigned, int, unsigned long);
  using FakeKey = int (*)(void*, unsigned, int, unsigned long);
  using StringToKeysym = unsigned long (*)(const char*);
  using KeysymToKeycode = unsigned char (*)(void*, unsigned long);

  void* x11_ = nullptr;
  void* xtst_ = nullptr;
  OpenDisplay open_ = nullptr;
  CloseDisplay close_ = nullptr;
  Flush flush_ = nullptr;
  FakeMotion motion_ = nullptr;
  FakeButton button_ = nullptr;
  FakeKey key_ = nullptr;
  StringToKeysym keysym_ = nullptr;
  KeysymToKeycode keycode_ = nullptr;
  void* display_ = nullptr;
};

}  // namespace wispen::test
