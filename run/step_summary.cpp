#include "step_summary.h"

#include <cstdio>
#include <cstdlib>

std::string withThousands(long count) {
    const std::string digits = std::to_string(count < 0 ? -count : count);
    std::string text = count < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
        text += digits[i];
    }
    return text;
}

std::string twoFigures(float value) {
    char text[32];
    // '#' keeps the trailing zero of 3.0e+35.
    std::snprintf(text, sizeof text, "%#.2g", static_cast<double>(value));
    std::string written = text;
    const std::size_t e = written.find('e');
    if (e == std::string::npos) {
        // 99. is 99.
        if (written.back() == '.') written.pop_back();
        return written;
    }
    // e+06 becomes e6, e-07 e-7.
    const int exponent = std::atoi(written.c_str() + e + 1);
    return written.substr(0, e) + "e" + std::to_string(exponent);
}

std::string summaryOf(const TracerCounts& counts) {
    std::string text = withThousands(counts.green) + " green, " + withThousands(counts.infinite) +
                       " infinite, " + withThousands(counts.nan) + " NaN; ";
    if (!counts.largestFinite) return text + "no finite tracer above 0";
    return text + "the largest finite tracer " + twoFigures(*counts.largestFinite);
}
