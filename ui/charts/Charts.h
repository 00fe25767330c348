// The five charts of the Graphics menu.
#pragma once

class Investment;
struct Scales;
class QWidget;
struct FontSpec;

// Builds the chart of a Graphics command from the record and shows it modally.
void ShowChart(const Investment& doc, const Scales& scales, int command, const FontSpec fonts[2], QWidget* parent);

