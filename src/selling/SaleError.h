#pragma once

#include "platform/AppError.h"

// Why a sale could not be stored; the text is shown to the cashier.
class SaleError : public AppError
{
public:
    using AppError::AppError;
};
