#include "store/ReportRows.h"

#include "store/Query.h"

#include <vector>

std::shared_ptr<const RowSource> ReportRows(const TQuery &query)
{
    std::vector<QVariantList> rows;
    for (const TRecord &record : query.rows())
        rows.push_back(record.values());
    return std::make_shared<ListRows>(query.fieldNames(), std::move(rows));
}
