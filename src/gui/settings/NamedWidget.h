#pragma once

#include <QString>

// Creates a widget with the object name that translation, remembered values and scripts know it by.
template <typename W, typename Parent> W* NamedWidget(Parent* parent, const QString& name)
{
    auto* widget = new W(parent);
    widget->setObjectName(name);
    return widget;
}
