/*
 * Generated input: ruvok's answer to each input is predicted by a small
 * model of how a C++ stream reads an integer and a float, and the program
 * must agree with it byte for byte.  The seed is printed; RUVOK_SEED runs
 * the same inputs again.
 */
#include "runner.h"
#include "screens.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

using namespace screens;

namespace {

constexpr int inputs = 600;
constexpr int workers = 8;

/* The model's reading of the input, one read at a time. */
class Reader {
      public:
	explicit Reader(const std::string &input) : in_(input) {}

	/* True if white space ran to the end of the input. */
	bool skip_space()
	{
		while (pos_ < in_.size() && is_space(in_[pos_]))
			pos_++;
		return pos_ == in_.size();
	}

	/*
	 * The menu choice, if the integer read gives 1 or 2; 0 for every
	 * other outcome, all of which ruvok treats alike.
	 */
	int choice()
	{
		if (skip_space())
			return 0;
		bool negative = false;
		if (in_[pos_] == '+' || in_[pos_] == '-')
			negative = in_[pos_++] == '-';
		std::string digits;
		while (pos_ < in_.size() && is_digit(in_[pos_]))
			digits += in_[pos_++];
		const std::size_t first = digits.find_first_not_of('0');
		const std::string value =
		    first == std::string::npos ? "0" : digits.substr(first);
		if (digits.empty() || negative ||
		    (value != "1" && value != "2"))
			return 0;
		return value[0] - '0';
	}

	/* A float length; false if the read fails. */
	bool length(float &value)
	{
		if (skip_space())
			return false;
		std::string taken;
		if (in_[pos_] == '+' || in_[pos_] == '-')
			taken += in_[pos_++];
		bool digit = false;
		bool point = false;
		bool exponent = false;
		bool exponent_digit = false;
		while (pos_ < in_.size()) {
			const char c = in_[pos_];
			if (is_digit(c)) {
				digit = digit || !exponent;
				exponent_digit = exponent_digit || exponent;
			} else if (c == '.' && !point && !exponent) {
				point = true;
			} else if ((c == 'e' || c == 'E') && digit &&
			    !exponent) {
				exponent = true;
				taken += 'e';
				pos_++;
				if (pos_ < in_.size() &&
				    (in_[pos_] == '+' || in_[pos_] == '-'))
					taken += in_[pos_++];
				continue;
			} else {
				break;
			}
			taken += c;
			pos_++;
		}
		if (!digit || (exponent && !exponent_digit))
			return false;
		value = std::strtof(taken.c_str(), nullptr);
		return !std::isinf(value);
	}

      private:
	static bool is_space(char c)
	{
		return c == ' ' || c == '\t' || c == '\n' || c == '\v' ||
		    c == '\f' || c == '\r';
	}

	static bool is_digit(char c) { return c >= '0' && c <= '9'; }

	const std::string &in_;
	std::size_t pos_ = 0;
};

std::string number(float f)
{
	char buf[64];
	(void)std::snprintf(buf, sizeof buf, "%g", static_cast<double>(f));
	return buf;
}

struct Expected {
	std::string out;
	int status;
};

Expected predict(const std::string &input)
{
	const float per_inch = 25.4F;
	const float per_millimeter = 0.0393700787F;

	Reader reader(input);
	const int choice = reader.choice();
	if (choice == 0)
		return {choice_refused(), 1};
	const Direction &d = choice == 1 ? to_mm : to_in;
	float length = 0;
	if (!reader.length(length))
		return {length_refused(d), 1};
	const float result = length * (choice == 1 ? per_inch : per_millimeter);
	return {converted(d, number(length), number(result)), 0};
}

/* Pieces that stress the two reads when strung together. */
std::vector<std::string> pieces()
{
	std::vector<std::string> p = {"0", "1", "2", "3", "7", "25.4", "304.8",
	    "1000000", "000", "+", "-", ".", "..", "e", "E", "e5", "E-3", "e+",
	    "e-", "e+38", "x", "abc", "inf", "nan", "INF", "0x", "0x1p3", " ",
	    "\t", "\r", "\v", "\f", "\n", "\n\n", "  \n ", std::string(1, '\0'),
	    "\x80", "\xff", "\xc3\xa9", "1e39", "-1e39", "3e38", "3.40282e38",
	    "1e-46", "1e-40", "99999999999", "2147483648", "-2147483649",
	    "4294967297"};
	p.emplace_back(3000, '9');
	p.push_back(std::string(3000, '0') + "1");
	p.push_back("0." + std::string(2000, '0') + "1");
	p.push_back("1" + std::string(2000, '0') + "e-2000");
	p.push_back("." + std::string(2500, '3'));
	return p;
}

std::string generate(std::mt19937_64 &rng, const std::vector<std::string> &p)
{
	std::uniform_int_distribution<std::size_t> pick(0, p.size() - 1);
	std::uniform_int_distribution<int> count(1, 8);
	std::string input;
	/* Most runs should get past the menu to reach the length read. */
	switch (rng() % 4) {
	case 0:
		input = "1\n";
		break;
	case 1:
		input = "2 ";
		break;
	case 2:
		input = "1";
		break;
	default:
		break;
	}
	for (int n = count(rng); n > 0; n--)
		input += p[pick(rng)];
	return input;
}

std::string printable(const std::string &s)
{
	std::string out;
	for (const char byte : s.substr(0, 200)) {
		const auto c = static_cast<unsigned char>(byte);
		if (c >= 0x20 && c < 0x7f && c != '\\') {
			out += byte;
		} else {
			char buf[8];
			(void)std::snprintf(buf, sizeof buf, "\\x%02x", c);
			out += buf;
		}
	}
	return s.size() > 200 ? out + "..." : out;
}

TEST(Generated, ProgramAgreesWithModel)
{
	const char *env = std::getenv("RUVOK_SEED");
	const unsigned long long seed =
	    env != nullptr ? std::strtoull(env, nullptr, 0) : 20261211ULL;
	std::cout << "seed " << seed << " (set RUVOK_SEED to change it)\n";

	std::mt19937_64 rng(seed);
	const std::vector<std::string> p = pieces();
	std::vector<std::string> cases;
	cases.reserve(inputs);
	for (int i = 0; i < inputs; i++)
		cases.push_back(generate(rng, p));

	std::vector<Result> results(cases.size());
	std::vector<std::thread> pool;
	pool.reserve(workers);
	std::atomic<std::size_t> next{0};
	for (int w = 0; w < workers; w++)
		pool.emplace_back([&] {
			for (std::size_t i; (i = next++) < cases.size();)
				results[i] = run_ruvok(cases[i]);
		});
	for (std::thread &t : pool)
		t.join();

	int disagreements = 0;
	int by_status[2] = {0, 0}; /* by the exit status the model expects */
	for (std::size_t i = 0; i < cases.size(); i++) {
		const Expected e = predict(cases[i]);
		const Result &r = results[i];
		by_status[e.status]++;
		if (r.out == e.out && r.status == e.status && r.err.empty())
			continue;
		if (++disagreements > 5)
			continue;
		ADD_FAILURE() << "input \"" << printable(cases[i]) << "\"\n"
		              << "status " << r.status << ", model " << e.status
		              << "\nstderr \"" << r.err << "\"\n"
		              << "output tail \""
		              << printable(r.out.substr(
		                     r.out.size() > 80 ? r.out.size() - 80 : 0))
		              << "\"\nmodel tail  \""
		              << printable(e.out.substr(
		                     e.out.size() > 80 ? e.out.size() - 80 : 0))
		              << "\"";
	}
	std::cout << by_status[0] << " converted, " << by_status[1]
	          << " refused, " << disagreements << " disagreements\n";
}

} // namespace
