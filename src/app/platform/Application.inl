#pragma once

#include <exception>

namespace wispen {

template <typename F>
void Application::Dispatch(F&& handler) {
  if (closed_) return;
  try {
    handler();
  } catch (const std::exception& e) {
    ShowError(e.what());
    OfferToQuitUnsaved();
  }
  if (afterHandler_ && !inAfterHandler_ && !closed_) {
    inAfterHandler_ = true;
    afterHandler_();
    inAfterHandler_ = false;
  }
}

}  // namespace wispen
