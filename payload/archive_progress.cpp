#include "payload/archive_progress.h"

#include <algorithm>
#include <cmath>

namespace tavo {

void TLaufbalken::SetPosition(double fraction) {
    const double value = std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
    if (value == position_) return;
    position_ = value;
    if (onChange_) onChange_(position_);
}

}  // namespace tavo
