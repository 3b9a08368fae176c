#include "foundation/process_messages.h"

#include <utility>

namespace tavo {
namespace {

std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}

}  // namespace

void ProcessMessages() {
    if (Hook()) Hook()();
}

std::function<void()> SetProcessMessagesHook(std::function<void()> hook) {
    return std::exchange(Hook(), std::move(hook));
}

}  // namespace tavo
