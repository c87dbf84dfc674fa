// The colour palette of frmMain: 20 swatches in two rows of ten and the selected-colour
// swatch lblMainColor at the left of the first row.
#include <string>

#include "dialog/frm_main.h"
#include "dialog/host_palette.h"

namespace dialog {

namespace {

constexpr double kSwatchSize = 12;
constexpr double kSwatchStep = 14;
constexpr double kFirstSwatchLeft = 28;

// Position and tip of one swatch; its tag and colour come from the palette list.
void placeSwatch(forms::Label& swatch, std::u16string_view tip, int row, int column) {
    swatch.setControlTipText(std::u16string(tip));
    swatch.setLeft(kFirstSwatchLeft + (column - 1) * kSwatchStep);
    swatch.setTop(2 + (row - 1) * kSwatchStep);
    swatch.setWidth(kSwatchSize);
    swatch.setHeight(kSwatchSize);
}

}  // namespace

void FrmMain::designColourPalette() {
    Frame35.setLeft(4);
    Frame35.setTop(20);
    Frame35.setWidth(300);
    Frame35.setHeight(30);
#define CW_DESIGN_SWATCH(control, tip, tag, row, column) \
    placeSwatch(control, tip, row, column);              \
    control.setTag(u"" #tag);                            \
    control.setBackColor(paletteColour(tag));
    CW_COLOUR_SWATCHES(CW_DESIGN_SWATCH)
#undef CW_DESIGN_SWATCH
    lblMainColor.setCaption(u"");
    lblMainColor.setLeft(2);
    lblMainColor.setTop(2);
    lblMainColor.setWidth(2 * kSwatchSize);
    lblMainColor.setHeight(kSwatchSize + kSwatchStep);
    defineColor(lblYellow);  // the selected colour at design time
}

void FrmMain::wireSwatches() {
#define CW_WIRE_SWATCH(control, tip, tag, row, column) control.onClick = [this] { control##_Click(); };
    CW_COLOUR_SWATCHES(CW_WIRE_SWATCH)
#undef CW_WIRE_SWATCH
}

void FrmMain::defineColor(const forms::Label& swatch) {
    lblMainColor.setTag(swatch.Tag());
    lblMainColor.setBackColor(swatch.BackColor());
    lblMainColor.setControlTipText(swatch.ControlTipText());
}

}  // namespace dialog
