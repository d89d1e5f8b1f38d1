#pragma once

#include "base/colorref.h"

#include <QComboBox>

#include <span>

struct CNamedColour {
    COLORREF colour;
    const char *name;
};

// The fixed palette the picker offers, in list order.
std::span<const CNamedColour> ColourPalette();

// A drop-down list of named colours, each drawn with its swatch, and a last
// entry "Custom..." that opens the colour dialog through the seam.
class CColorPickerCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit CColorPickerCombo(QWidget *parent = nullptr);

    // The palette and "Custom..." (white); selects the first entry.
    void Fill();
    // The first entry of that colour; else "Custom..." holding it.
    void SelectColour(COLORREF colour);
    COLORREF SelectedColour() const;
    COLORREF ItemColour(int index) const;

    static QString CustomText() { return QStringLiteral("Custom..."); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void OnActivated(int index);
};
