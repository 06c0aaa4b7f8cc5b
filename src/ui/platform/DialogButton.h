#pragma once

class QPushButton;
class QString;
class QWidget;

namespace daylark {

/// A dialog's push button with the object name tests find it by. It does not become the
/// default button when focused: each dialog names its own default.
QPushButton* dialogButton(const QString& caption, const char* name, QWidget* parent);

} // namespace daylark
