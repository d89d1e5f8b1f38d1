#pragma once

#include "controls/virtualkeys.h"

#include <QLineEdit>

// A box that shows the key combination pressed in it instead of typing:
// Shift, Ctrl and Alt count while held, the first other key completes the
// combination, and the next key press after that starts a new one.
class CKeyCaptureEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CKeyCaptureEdit(QWidget *parent = nullptr);

    bool IsComplete() const { return m_complete; }
    // FVIRTKEY with the modifier flags, and the key code; meaningful once
    // the combination is complete.
    CVirtualKey Combination() const { return {static_cast<unsigned char>(FVIRTKEY | m_modifiers), m_key}; }
    void ClearCombination();

protected:
    bool event(QEvent *event) override;

private:
    void KeyDown(const QKeyEvent *event);
    void KeyUp(const QKeyEvent *event);
    void ShowCombination();

    unsigned char m_modifiers = 0;
    unsigned short m_key = 0;
    bool m_complete = false;
};
