#pragma once

#include <QLineEdit>

// A right-aligned amount box. Amounts are shown in fixed notation with two
// decimals and the locale's separator; negative amounts keep their minus
// sign and large ones all their digits. The amount mask lets the user type
// only an optional minus, digits and at most two decimals.
class TAmountEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TAmountEdit(QWidget *parent = nullptr);

    void applyAmountMask();
    void setAmount(double value);
    // What the box shows, read leniently (0 when it holds no number).
    double amount() const;

signals:
    void left();

protected:
    void focusOutEvent(QFocusEvent *event) override;
};
