#include "ui/dialogs/EditItem.h"

void EditItem(CVELPPCDoc&, SettingsStore&, unsigned, QWidget*) {}

void InstallDialogHooks() {}
