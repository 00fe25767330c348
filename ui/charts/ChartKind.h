// The charts the program draws: the five of the Graphics menu, each also a tab of the pane,
// and the rates of return after sale on the "Sale" tab.
#pragma once

enum ChartKind : int {
    ChartValueDebt,
    ChartCashFlows,
    ChartWhoPays,
    ChartBankComparison,
    ChartRateOfReturn,
    ChartSaleReturns,
};
