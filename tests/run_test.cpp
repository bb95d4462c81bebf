/*
 * Whole runs of ruvok: each row gives standard input and where standard
 * output goes, and the exact standard output, exit status and standard
 * error that must come back.
 */
#include "runner.h"
#include "screens.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

using namespace screens;

namespace {

struct Row {
	const char *name;
	std::string input;
	std::string out;
	int status;
	std::string err{};
	In in = In::bytes;
	Out where = Out::captured;
};

void PrintTo(const Row &row, std::ostream *os)
{
	*os << row.name;
}

const std::string enospc = "ruvok: write error: No space left on device\n";

const std::vector<Row> rows = {
    /* The two directions, and the results that show single precision. */
    {"inches_3", "1\n3\n", converted(to_mm, "3", "76.2"), 0},
    {"millimeters_25_4", "2\n25.4\n", converted(to_in, "25.4", "1"), 0},
    {"inches_1", "1\n1\n", converted(to_mm, "1", "25.4"), 0},
    {"inches_0_5", "1\n0.5\n", converted(to_mm, "0.5", "12.7"), 0},
    {"inches_10", "1\n10\n", converted(to_mm, "10", "254"), 0},
    {"inches_negative", "1\n-1\n", converted(to_mm, "-1", "-25.4"), 0},
    {"inches_million", "1\n1000000\n", converted(to_mm, "1e+06", "2.54e+07"),
        0},
    {"millimeters_254", "2\n254\n", converted(to_in, "254", "10"), 0},
    {"millimeters_1", "2\n1\n", converted(to_in, "1", "0.0393701"), 0},
    {"millimeters_2_54", "2\n2.54\n", converted(to_in, "2.54", "0.1"), 0},
    {"millimeters_304_8_rounds_up", "2\n304.8\n",
        converted(to_in, "304.8", "12"), 0},
    {"inches_zero", "1\n0\n", converted(to_mm, "0", "0"), 0},
    {"millimeters_zero", "2\n0\n", converted(to_in, "0", "0"), 0},
    {"negative_zero", "1\n-0\n", converted(to_mm, "-0", "-0"), 0},
    {"underflow_is_zero", "1\n1e-46\n", converted(to_mm, "0", "0"), 0},
    {"product_overflows_to_inf", "1\n3e38\n", converted(to_mm, "3e+38", "inf"),
        0},
    {"largest_millimeters", "2\n-3.4e38\n",
        converted(to_in, "-3.4e+38", "-1.33858e+37"), 0},

    /* How the input is read. */
    {"same_line", "1 3\n", converted(to_mm, "3", "76.2"), 0},
    {"choice_1_5_is_length_0_5", "1.5\n", converted(to_mm, "0.5", "12.7"), 0},
    {"blank_lines_skipped", "\n \t\n2\n\n\n  25.4\n",
        converted(to_in, "25.4", "1"), 0},
    {"rest_of_line_left", "1\n3abc\n", converted(to_mm, "3", "76.2"), 0},
    {"no_final_newline", "2\n254", converted(to_in, "254", "10"), 0},
    {"leading_plus", "+1\n+3\n", converted(to_mm, "3", "76.2"), 0},

    /* A choice that names no direction. */
    {"choice_0", "0\n", choice_refused(), 1},
    {"choice_3", "3\n", choice_refused(), 1},
    {"choice_minus_1", "-1\n", choice_refused(), 1},
    {"choice_letter", "x\n", choice_refused(), 1},
    {"choice_above_int", "99999999999\n", choice_refused(), 1},
    {"choice_below_int", "-99999999999\n", choice_refused(), 1},
    {"end_at_choice", "", choice_refused(), 1},
    {"blank_then_end_at_choice", "\n\n  \n", choice_refused(), 1},
    {"input_closed", "", choice_refused(), 1, "", In::closed},
    {"input_directory", "", choice_refused(), 1, "", In::directory},

    /* A length that could not be read is not converted. */
    {"length_letters", "1\nabc\n", length_refused(to_mm), 1},
    {"length_after_1x", "1x\n", length_refused(to_mm), 1},
    {"end_at_length", "1\n", length_refused(to_mm), 1},
    {"end_at_length_no_newline", "2", length_refused(to_in), 1},
    {"length_above_float", "1\n1e39\n", length_refused(to_mm), 1},
    {"length_below_float", "2\n-1e39\n", length_refused(to_in), 1},
    {"length_bare_exponent", "1\n3e\n", length_refused(to_mm), 1},

    /* Giant numbers end promptly, with the answer their value gives. */
    {"choice_million_digits", std::string(1000000, '1') + "\n",
        choice_refused(), 1},
    {"choice_one_after_million_zeros", std::string(1000000, '0') + "1\n3\n",
        converted(to_mm, "3", "76.2"), 0},
    {"length_millions_of_digits", "1\n" + std::string(5000000, '3') + "\n",
        length_refused(to_mm), 1},
    {"length_millions_of_zero_decimals",
        "2\n254." + std::string(4000000, '0') + "\n",
        converted(to_in, "254", "10"), 0},
    {"length_millions_of_leading_decimals",
        "2\n0." + std::string(4000000, '0') + "254\n",
        converted(to_in, "0", "0"), 0},

    /* Standard output that cannot be written. */
    {"output_full", "1\n3\n", "", 1, enospc, In::bytes, Out::full},
    {"output_closed", "1\n3\n", "", 1,
        "ruvok: write error: Bad file descriptor\n", In::bytes, Out::closed},
    {"output_full_refused_choice", "7\n", "", 1, enospc, In::bytes, Out::full},
    /* Neither a failing read nor a float underflow hides the cause. */
    {"output_full_input_directory", "", "", 1, enospc, In::directory,
        Out::full},
    {"output_full_length_underflow", "1\n1e-46\n", "", 1, enospc, In::bytes,
        Out::full},
};

class Run : public testing::TestWithParam<Row> {};

TEST_P(Run, Row)
{
	const Row &row = GetParam();
	const Result r = run_ruvok(row.input, row.in, row.where);
	EXPECT_EQ(r.out, row.out);
	EXPECT_EQ(r.status, row.status);
	EXPECT_EQ(r.err, row.err);
}

INSTANTIATE_TEST_SUITE_P(Ruvok, Run, testing::ValuesIn(rows),
    [](const testing::TestParamInfo<Row> &param) {
	    return std::string(param.param.name);
    });

} // namespace
