#pragma once

#include "report/RowSource.h"

#include <memory>

class TQuery;

// What a report reads of an open query of the database module: its rows at
// this moment, as a dataset source for the report engine.
std::shared_ptr<const RowSource> ReportRows(const TQuery &query);
