#pragma once

#include <QString>

// Makes a new data folder: kvtl.db with every table at 1.1, the payment
// types, the kinds of stock and the administrator account, and the
// discount, discount-type and coupon lists. With demo, also a small
// catalogue, stores, suppliers, customers, employees, stock and the
// store's KVTL.ini. Raises AppError when the folder already holds a
// database or a file cannot be written.
void CreateDataFolder(const QString &folder, bool demo);
