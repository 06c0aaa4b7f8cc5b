#include "ui/platform/DialogButton.h"

#include <QPushButton>

QPushButton* daylark::dialogButton(const QString& caption, const char* name, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
