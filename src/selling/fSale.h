#pragma once

#include <QDialog>

class QLineEdit;
class QToolBar;
class QToolButton;
class TAmountEdit;
class TCompletingComboBox;
class TMFStringGrid;
class TRadioGroup;
struct SaleLine;
struct SaleRecord;

// The sale screen: items typed or scanned into the grid, completed from the
// catalogue, totals, payment and change, and the completion that stores the
// sale and runs its receipt. The control panel makes one per use and sets
// QuickSale before showing it.
class TfrmSale : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSale(QWidget *parent = nullptr);

    // True for a quick sale, false for a work-order pick-up.
    bool QuickSale = false;
    bool ReceiptPrinted = false;

    // Runs the opening first; a screen whose opening fails is not shown.
    int exec() override;

public slots:
    void FormShow();
    void AdvStringGrid1CompleteRow(int row, int column);
    void cboDiscountExit();
    void edtCashTenderedExit();
    void rgPaymentMethodClick();
    void btnCancelClick();
    void btnPrintClick();
    void btnHomeClick();
    void ToolButton2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QToolButton *addToolButton(QToolBar *bar, const QString &name, const QString &hint, int icon);
    void buildToolBar();
    void buildSalesDetails();
    void setKeyboardOrder();
    void completeRow(int row);
    void runTotals();
    void applyPaymentMethodRule();
    QList<SaleLine> gridLines() const;
    SaleRecord saleOnScreen() const;
    void storeSaleAndRunReceipt();

    QLineEdit *edtInvoice;
    TMFStringGrid *AdvStringGrid1;
    TAmountEdit *edtSubTotal;
    TCompletingComboBox *cboDiscount;
    TCompletingComboBox *cboDiscountType;
    TCompletingComboBox *cboCoupon;
    TAmountEdit *edtTax;
    TAmountEdit *edtGrandTotal;
    TAmountEdit *edtCashTendered;
    TAmountEdit *edtChange;
    TRadioGroup *rgPaymentMethod;
};
