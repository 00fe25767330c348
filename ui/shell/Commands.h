// Command identifiers of the menus and the tool bar.
#pragma once

enum Command : int {
    CmdFileNew = 57600,
    CmdFileOpen = 57601,
    CmdFileSave = 57603,
    CmdFileSaveAs = 57604,
    CmdFileMru = 57616,
    CmdAppExit = 57665,
    CmdBankComparison = 32789,
    CmdRateOfReturn = 32790,
    CmdCashFlows = 32783,
    CmdValueDebt = 32782,
    CmdWhoPays = 32781,
    CmdPreferences = 32777,
    CmdProjections = 32775,
    CmdLinkedVariables = 32778,
    CmdStampDuty = 32779,
    CmdTaxScales = 32780,
    CmdSaveSettings = 32786,
    CmdDeleteSettings = 32785,
    // The desktop's menus: Edit, View, Help.
    CmdEditUndo = 57643,
    CmdEditRedo = 57644,
    CmdEditCopy = 57634,
    CmdZoomIn = 32800,
    CmdZoomOut = 32801,
    CmdActualSize = 32802,
    CmdProjectionPane = 32803,
    // File menu: "Export" and printing.
    CmdExportReport = 32810,
    CmdExportWorkbook = 32811,
    CmdExportProjection = 32812,
    CmdPrint = 32813,
    CmdPrintPreview = 32814,
    CmdHelp = 57667,
    CmdAbout = 57664,
    // Settings: "Assumptions".
    CmdAssumptions = 32820,
    // Not a menu command: the chart of the rates of return after sale (workspace "Sale").
    CmdSaleReturns = 32821,
    // File: "Compare Investments...".
    CmdCompare = 32830,
};
