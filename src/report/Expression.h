#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

// The little expressions of a template's [brackets]: names (Dataset.Field or
// a variable), numbers, 'text', + - * / and parentheses, and the aggregates
// sum(expression over one dataset's fields) and count(Dataset).
struct Expression;

class ExpressionError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Raises ExpressionError with a short description of the fault.
std::shared_ptr<const Expression> parseExpression(const QString &text);

// How names are looked up while evaluating. An empty optional is a missing
// value, which makes the whole result missing.
struct ExpressionScope {
    std::function<std::optional<QVariant>(const QString &name)> value;
    // count: every record of the dataset; sum: the expression evaluated on
    // every record of the dataset and added up.
    std::function<std::optional<QVariant>(const QString &function, const QString &dataset,
                                          const Expression *operand)> aggregate;
};

// An invalid QVariant when something the expression needs is missing or is
// not a number where one is needed.
QVariant evaluate(const Expression &expression, const ExpressionScope &scope);

// Whether a value counts as true for [if]: present, not blank and not zero.
bool isTrue(const QVariant &value);
// Whether a value holds a number (not text that looks like one).
bool isNumericValue(const QVariant &value);
// A number read from a value; text is read with "." or the locale's separator.
std::optional<double> numberOf(const QVariant &value);
