// The rows of the annual table a reader sees, in table order, with their headings: the
// projection table on screen, the report and the workbook show these.
#pragma once

#include <array>

#include "model/Investment.h"

// "\n" parts a heading in two lines.
struct ProjectionRow {
    Row row;
    const char* heading;
};
inline constexpr std::array<ProjectionRow, 15> kProjectionRows = {{
    {Row::PropertyValue, "Property\nvalue"},
    {Row::Debt, "Debt"},
    {Row::Equity, "Equity"},
    {Row::RentReceived, "Rent\nreceived"},
    {Row::InterestPaid, "Interest\npaid"},
    {Row::ExpensesPaid, "Expenses\npaid"},
    {Row::BuildingDep, "Building\ndepreciation"},
    {Row::FittingsDep, "Fittings\ndepreciation"},
    {Row::LoanCostWriteOff, "Loan costs\nwritten off"},
    {Row::Deductions, "Deductions"},
    {Row::TaxSaving, "Tax\nsaving"},
    {Row::AfterTaxCash, "After-tax\ncash flow"},
    {Row::AfterTaxCashWeek, "After-tax\ncash / wk"},
    {Row::PrincipalPaid, "Principal\npaid"},
    {Row::PreTaxCash, "Pre-tax\ncash flow"},
}};
