// Item editing: one editor per group of inputs, opened by a tap on a summary row.
#pragma once

class DocumentUi;
class QWidget;
class Investment;
struct Scales;
class SettingsStore;

// Opens the editor of `itemType` modally; on OK copies its fields back, recalculates where the
// item requires it and writes the item's defaults to the settings store.
// Questions go to `ui`.
void EditItem(Investment& doc, Scales& scales, SettingsStore& store, DocumentUi& ui,
              unsigned itemType, QWidget* parent);

