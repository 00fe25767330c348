// The two pages of the sheet "Depreciation": "Building" (BuildingDepreciationLogic) and "Fittings" (FittingsDepreciationLogic).
// Logic only; the sheet is in DepreciationDialogs.h.
#pragma once

#include <string>

#include "ui/dialogs/EditorLogic.h"
#include "ui/dialogs/LinkedAmount.h"

// One page: the depreciable value is a linked amount (a percentage of the property cost while
// its link is on), with a yearly rate and a method. Both pages are built alike; only what
// EditItem puts into them differs.
class DepreciationPageLogic : public EditorLogic {
  public:
    enum Control : int {
        kDepreciableValue = 1,
        kDepreciationRate,
        kMethod,
        kDepreciation,
        kValueLink,
        kPercentOfCost,
        kPropertyCost,
        kNilReason, // why the law allows no depreciation, or that a schedule gives it; hidden
                    // otherwise
        kBoughtNew, // "Fittings bought new by owner", only where the law asks
    };
    // Lines of the "Method:" list; the index of a line is the method.
    enum Method : int { kDiminishingValue = 0, kStraightLine = 1 };

    DepreciationPageLogic();

    // Price + Renovations ("Building") or Price + Furniture ("Fittings"); shown only.
    double propertyCost = 0.0;
    // The base of the percentage, as the recalculation links the value: Price + Renovations
    // ("Building"), or Price with the whole Furniture as the value's fixed part ("Fittings").
    double linkBase = 0.0;
    // depreciable value (A), percent of cost (P) and the value link (L).
    LinkedAmount value;
    double rate = 0.0; // percent a year
    int method = kDiminishingValue;
    // The first year's figure, rate x value / 100 but never more than a positive value, as
    // the projection's first year has it; worked out at every refresh.
    double depreciation = 0.0;
    // Set when the investment's law allows this item no depreciation: the figure is 0 and
    // the page says why. Where the law makes an exception of fittings the owner bought new,
    // the page offers the check box, and when it is ticked the reason does not hold.
    std::string nilReason;
    bool offerBoughtNew = false;
    int boughtNew = 0;
    // Set when a depreciation schedule gives this item's figures: the first year's figure is
    // the schedule's, and the page says that the rate and method are not used.
    bool scheduled = false;
    double scheduledFirstYear = 0.0;

    void Refresh(ControlPort& port) override;

  protected:
    void OnOpen(ControlPort& port) override;
    bool OnLeaveEdit(ControlPort& port, int id) override;
    bool OnClick(ControlPort& port, int id) override;
    bool OnChoose(ControlPort& port, int id) override;
    bool OnRecalculate(ControlPort& port) override;
    void OnOk(ControlPort& port) override;
};

// Page "Building": DepBuildValue, DepBuildPC, CalcDepBuild, DepBuildRate, DepBuildMethod on the
// base Price + Renovations.
class BuildingDepreciationLogic : public DepreciationPageLogic {};

// Page "Fittings": DepFittValue, DepFittPC, CalcDepFitt, DepFittRate, DepFittMethod; the linked
// value is DepFittPC % of Price plus the whole Furniture, as the recalculation works it out.
class FittingsDepreciationLogic : public DepreciationPageLogic {};
