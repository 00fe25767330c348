// The sheet "Depreciation" with its pages "Building" and "Fittings" (DepreciationEditors.h).
#pragma once

#include "ui/dialogs/EditorForm.h"

class BuildingDepreciationLogic;
class FittingsDepreciationLogic;

// Opens on "Building"; a page never shown keeps the fields it was given.
class DepreciationSheet : public EditorSheet {
    Q_OBJECT
  public:
    DepreciationSheet(BuildingDepreciationLogic& building, FittingsDepreciationLogic& fittings,
                      DocumentUi& ui, QWidget* parent = nullptr);
};
