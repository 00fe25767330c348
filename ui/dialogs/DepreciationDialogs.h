// The sheet "Depreciation" with its pages "Building" and "Fittings" (DepreciationEditors.h).
#pragma once

#include "ui/dialogs/EditorForm.h"

class CDepBuild;
class CDepFitt;

// Opens on "Building"; a page never shown keeps the fields it was given.
class DepreciationSheet : public CEditorSheet {
    Q_OBJECT
  public:
    DepreciationSheet(CDepBuild& building, CDepFitt& fittings, QWidget* parent = nullptr);
};
