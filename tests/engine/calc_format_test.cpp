#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/calc_engine.h"

namespace {

struct FormatCase {
    double value;
    const char* text;
};

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(FormatValue, DecimalWithCommas) {
    const FormatCase cases[] = {
        {1234567, "1,234,567"},
        {-1234567.25, "-1,234,567.25"},
        {-123456, "-123,456"},
        {-1000, "-1,000"},
        {-100, "-100"},
        {999, "999"},
        {1000, "1,000"},
        {0, "0"},
        {-0.0, "-0"},
        {0.5, "0.5"},
        {1234.5678, "1,234.5678"},
        {123456789.125, "123,456,789.125"},
        {1e15, "1,000,000,000,000,000"},
        {-1e15, "-1,000,000,000,000,000"},
        {999999999999999.9, "999,999,999,999,999.9"},
        {1e16, "1e+016"},
        {-1.5e20, "-1.5e+020"},
        {1e-5, "1e-005"},
        {kInf, "inf"},
        {-kInf, "-inf"},
        {kNaN, "nan"},
        {-kNaN, "nan"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(FormatValue(c.value, false, true), c.text) << c.text;
}

TEST(FormatValue, DecimalDigitsAndExponent) {
    const FormatCase cases[] = {
        {0.1 + 0.2, "0.3"},
        {1.0 / 3, "0.3333333333333333"},
        {2.0 / 3, "0.6666666666666666"},
        {1234567, "1234567"},
        {0.0001, "0.0001"},
        {0.00012345, "0.00012345"},
        {0.00001, "1e-005"},
        {0.000099999999999999999, "0.0001"},
        {9999999999999998.0, "9999999999999998"},
        {9999999999999999.5, "1e+016"},
        {12345678901234567.0, "1.234567890123457e+016"},
        {1e21, "1e+021"},
        {1e100, "1e+100"},
        {1.5e300, "1.5e+300"},
        {1e-100, "1e-100"},
        {1.25e-7, "1.25e-007"},
        {-2.5e-10, "-2.5e-010"},
        {std::numeric_limits<double>::max(), "1.797693134862316e+308"},
        {std::numeric_limits<double>::min(), "2.225073858507201e-308"},
        {std::numeric_limits<double>::denorm_min(), "4.940656458412465e-324"},
        {100, "100"},
        {123.456, "123.456"},
        {3.141592653589793, "3.141592653589793"},
    };
    for (const FormatCase& c : cases)
        EXPECT_EQ(FormatValue(c.value, false, false), c.text) << c.text;
}

TEST(FormatValue, Hexadecimal) {
    const FormatCase cases[] = {
        {255, "0xFF"},
        {255.9, "0xFF"},
        {0, "0x0"},
        {-1, "0xFFFFFFFF"},
        {-2.9, "0xFFFFFFFE"},
        {4294967296.0, "0x0"},
        {4294967297.0, "0x1"},
        {1e30, "0x0"},
        {-1e30, "0x0"},
        {kInf, "0x0"},
        {kNaN, "0x0"},
        {-2147483648.0, "0x80000000"},
        {305419896, "0x12345678"},
        {9223372036854775807.0, "0x0"},
        {-9223372036854775808.0, "0x0"},
        {4294967296.0 * 3 + 42, "0x2A"},
    };
    for (const FormatCase& c : cases) {
        EXPECT_EQ(FormatValue(c.value, true, false), c.text) << c.text;
        EXPECT_EQ(FormatValue(c.value, true, true), c.text) << c.text << " (commas ignored)";
    }
}

// Whatever is shown in decimal without commas reads back as the same value.
TEST(FormatValue, DecimalTextReadsBack) {
    const double values[] = {1.0 / 3, 2.0 / 3, 1e16, 1.5e-5, 123456.789, -0.1, 6.02214076e23, 1e-300, 1e300};
    for (double v : values) {
        std::string text = FormatValue(v, false, false);
        VariableStore store;
        CalcResult result;
        ASSERT_EQ(CalcEvaluate(false, text.c_str(), store, &result), 0) << text;
        EXPECT_EQ(FormatValue(result.value, false, false), text);
    }
}

}  // namespace
