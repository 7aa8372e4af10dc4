#pragma once

#include "config/TextHelpers.h"

#include <QString>

// The text of the conversion error that body raises; empty when it raises none.
template <typename Body>
QString conversionErrorOf(Body &&body)
{
    try {
        body();
    } catch (const EConvertError &error) {
        return error.message();
    }
    return {};
}
