// fuzz-libs: cc_calc
// fuzz-seeds: tests/data/fuzz/parse_number
//
// The number text of the fields: any text reads as a finite number, and the
// text written for a number reads back to a number written the same way,
// also through the whole-text reader of the calculation files.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "FuzzCheck.h"
#include "calc/NumberText.h"

namespace {

void checkRoundTrip(double x, const char* origin) {
    if (!std::isfinite(x)) return;
    const std::string text = NumberText(x);
    FUZZ_CHECK(!text.empty(), origin);
    const std::string again = NumberText(ParseNumber(text));
    FUZZ_CHECK(again == text, std::string(origin) + ": " + text + " came back as " + again);
    const std::optional<double> whole = ParseWholeNumber(text);
    FUZZ_CHECK(whole.has_value(), std::string(origin) + ": " + text + " is not a whole number");
    FUZZ_CHECK(NumberText(*whole) == text,
               std::string(origin) + ": " + text + " came back whole as " + NumberText(*whole));

    // A result in a field ("0.00") reads back as the same hundredths.
    const std::string fixed = FormatNumber(x, "0.00");
    FUZZ_CHECK(fixed.size() >= 4 && fixed[fixed.size() - 3] == '.', text + " -> " + fixed);
    const std::string fixedAgain = FormatNumber(ParseNumber(fixed), "0.00");
    FUZZ_CHECK(fixedAgain == fixed, fixed + " came back as " + fixedAgain);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // The input as the text of a field.
    const double parsed = ParseNumber(text);
    FUZZ_CHECK(std::isfinite(parsed), escaped(text));
    checkRoundTrip(parsed, "parsed");

    // As a calculation file's last line: when the text is one number, it is
    // the number ParseNumber reads.
    const std::optional<double> whole = ParseWholeNumber(text);
    if (whole) FUZZ_CHECK(*whole == parsed, escaped(text));

    // The input bytes as doubles: every bit pattern, subnormals included.
    for (size_t i = 0; i + sizeof(double) <= size && i < 64; i += sizeof(double)) {
        double x;
        std::memcpy(&x, data + i, sizeof x);
        checkRoundTrip(x, "bits");
    }
    return 0;
}
