#pragma once
// A value as Format sees it: its 15-significant-digit decimal form, held in place
// so that formatting allocates nothing. Shared by Format and the data-file writer.

namespace quellin {

// value = 0.d1d2d3… × 10^pointPos; no leading zeros, trailing zeros removed, no
// digits for zero (or for a value that is not finite).
struct DecimalDigits {
    bool negative = false;
    char digits[24] = {}; // 15 digits, 16 after a rounding carry
    int size = 0;
    int pointPos = 0; // digits before the decimal point

    void trimTrailingZeros()
    {
        while (size > 0 && digits[size - 1] == '0')
            --size;
    }
    // The i-th digit after the virtual "0.", '0' beyond the stored digits.
    char digitAt(int i) const { return (i >= 0 && i < size) ? digits[i] : '0'; }
};

DecimalDigits toDecimalDigits(double v);

// Keeps `keep` leading digits, rounding half away from zero; a carry may add a digit.
void roundDecimalDigits(DecimalDigits& d, int keep);

} // namespace quellin
