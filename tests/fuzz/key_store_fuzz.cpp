// Fuzzes the key-assignment stream reader and the key matcher: any input
// either loads or raises one of the program's exceptions, leaves a failed
// controller unchanged, and a loaded controller writes a stream that reads
// back to the same bindings.
#include "editor/core/keyboard_controller.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <tuple>

using namespace tarnwick;

namespace {

std::vector<TKeyBinding> Sorted(std::vector<TKeyBinding> bindings)
{
    std::sort(bindings.begin(), bindings.end(), [](const TKeyBinding& a, const TKeyBinding& b) {
        return std::tie(a.FirstKey, a.SecondKey, a.Code) < std::tie(b.FirstKey, b.SecondKey, b.Code);
    });
    return bindings;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    TKeyboardActionContoller controller;
    controller.Assign(DefaultKeyboardController());
    const std::string before = controller.SaveToString();
    try {
        controller.LoadFromString(bytes);
    } catch (const Exception&) {
        if (controller.SaveToString() != before)
            std::abort();
    }
    TKeyboardActionContoller copy;
    copy.Assign(controller);
    if (Sorted(copy.Bindings()) != Sorted(controller.Bindings()))
        std::abort();

    // Press the input's bytes as keys with shift states.
    int recognised = 0;
    controller.OnRecognised = [&recognised](int) { ++recognised; };
    for (size_t i = 0; i + 1 < size; i += 2) {
        uint16_t key = data[i];
        TShiftState shift = static_cast<TShiftState>(data[i + 1] & (ssShift | ssCtrl | ssAlt));
        bool handled = false;
        controller.ProcessKey(key, shift, handled);
    }
    TShortCut first = 0, second = 0;
    for (bool ok = controller.FindBinding(size ? data[0] : 0, first, second); ok;
         ok = controller.FindNextBinding(size ? data[0] : 0, first, second)) {
    }
    return 0;
}
