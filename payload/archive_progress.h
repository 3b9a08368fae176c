#pragma once

#include <functional>

namespace tavo {

// The progress an archive extraction reports: a fraction from 0 to 1. The Qt layer shows
// it by listening to the changes; the archive never knows what displays it.
class TLaufbalken {
  public:
    using ChangeHandler = std::function<void(double fraction)>;

    double Position() const { return position_; }
    // Clamped to 0 .. 1; the listener hears every change.
    void SetPosition(double fraction);
    void SetOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }

  private:
    double position_ = 0;
    ChangeHandler onChange_;
};

}  // namespace tavo
