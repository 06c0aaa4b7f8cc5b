#pragma once

#include <functional>
#include <string_view>

namespace daylark {

class MessageSink;

/// Escape in a dialog that holds what the user typed. Without `changes` it runs `cancel` at
/// once. Otherwise it asks "Keep your changes?" under `caption`: Yes runs `ok` (which may fail
/// and keep the dialog open), No runs `cancel`, Cancel goes back to the dialog. True when the
/// dialog closed.
bool EscapeAsking(MessageSink& messages, std::string_view caption, bool changes,
                  const std::function<bool()>& ok, const std::function<void()>& cancel);

} // namespace daylark
