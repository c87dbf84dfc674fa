#pragma once
// The colour palette of frmMain as one list: swatch label, tool tip (the colour's name),
// tag (the host's palette index, ColorIndex), row and position in the row. The list
// declares the swatch controls and their click handlers and fills the palette table.
//
//     X(control, tip, tag, row, column)
#define CW_COLOUR_SWATCHES(X)                    \
    X(lblYellow, u"Yellow", 6, 1, 1)             \
    X(lblLightGreen, u"Light Green", 35, 1, 2)   \
    X(lblBrightGreen, u"Bright Green", 4, 1, 3)  \
    X(lblCyan, u"Cyan", 8, 1, 4)                 \
    X(lblPink, u"Pink", 7, 1, 5)                 \
    X(lblLightOrange, u"Light Orange", 44, 1, 6) \
    X(lblRed, u"Red", 3, 1, 7)                   \
    X(lblLavender, u"Lavender", 39, 1, 8)        \
    X(lblGrey75, u"Grey 75 %", 16, 1, 9)         \
    X(lblGrey25, u"Grey 25 %", 15, 1, 10)        \
    X(lblLightYellow, u"Light Yellow", 36, 2, 1) \
    X(lblTeal, u"Teal", 42, 2, 2)                \
    X(lblDarkGreen, u"Dark Green", 43, 2, 3)     \
    X(lblBlue, u"Blue", 41, 2, 4)                \
    X(lblOrange, u"Orange", 46, 2, 5)            \
    X(lblBrown, u"Brown", 53, 2, 6)              \
    X(lblNavy, u"Navy", 11, 2, 7)                \
    X(lblTan, u"Tan", 40, 2, 8)                  \
    X(lblWhite, u"White", 2, 2, 9)               \
    X(lblGrey50, u"Grey 50 %", 48, 2, 10)
