#include "format/CObject.h"

#include <array>

const daylark::KnownClass* daylark::findKnownClass(std::string_view name)
{
    static constexpr std::array<KnownClass, 4> kKnown = {{
        {"CDaylarkPage", 1},
        {"CDaylarkFuture", 1},
        {"CDaylarkTodo", 1},
        {"CDaylarkAlarm", 1},
    }};
    for (const KnownClass& known : kKnown) {
        if (known.name == name) {
            return &known;
        }
    }
    return nullptr;
}
