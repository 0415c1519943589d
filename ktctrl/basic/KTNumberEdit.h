// KTNumberEdit: an edit that takes only a decimal number: digits, one minus sign at the start
// when signs are allowed, one decimal point when a point is allowed. Keys are filtered as they
// are pressed and characters as they arrive (so shifted keys and an input method's text are
// held to the same rules; control characters pass); a paste is taken only when the text it
// makes is a number. It reads and writes its text as an integer or a real number.
#pragma once

#include "platform/ui/controls/Edit.h"

class KTNumberEdit : public CEdit
{
public:
    KTNumberEdit() = default;
    KTNumberEdit(int enableSign, int enableDot) : m_bEnableDot(enableDot), m_bEnableSign(enableSign) {}

    void EnableSign(int enable) { m_bEnableSign = enable; }
    void EnableDot(int enable) { m_bEnableDot = enable; }

    // The text's leading integer (an optional sign, then digits), clamped to the int range;
    // 0 without one and without a window.
    int GetInteger() const;
    // The text's leading real number; 0 without one and without a window.
    double GetReal() const;
    // Writes "%d": 0 (text unchanged) for a negative value without signs, and without a window.
    int SetInteger(int value);
    // Writes the value with `decimals` (0 to 15) places: 0 (text unchanged) without the point,
    // for a negative value without signs, for a value that is no finite number, and without a
    // window.
    int SetReal(double value, int decimals);

    // Whether `text` is a whole number this edit accepts: an optional "-" (with signs), digits
    // with at most one "." among them (with the point), at least one digit.
    BOOL IsNumberText(const CString& text) const;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    static const platform::MessageMap* GetThisMessageMap();
    const platform::MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

private:
    bool KeyAccepted(UINT key) const;
    bool CharacterAccepted(UINT character) const;
    bool CanAddPoint() const;
    bool CanAddMinus() const;
    // The text as it would be with the selection replaced by `replacement`.
    CString TextWithSelection(const CString& replacement) const;
    CString Text() const;

    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    LRESULT OnPaste(WPARAM wParam, LPARAM lParam);

    int m_bEnableDot { 0 };
    int m_bEnableSign { 0 };
};
